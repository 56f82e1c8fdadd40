#include "support/unwritable.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include "base/unique_fd.h"

namespace testsupport {

namespace fs = std::filesystem;

Unwritable::Unwritable(fs::path path) : path_(std::move(path)) {
    if (::geteuid() != 0) {
        permissions_ = fs::status(path_).permissions();
        fs::permissions(path_, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        fs::perm_options::remove);
        how_ = How::kPermissions;
    } else if (setImmutable(true)) {
        how_ = How::kImmutable;
    }
}

Unwritable::~Unwritable() {
    std::error_code ignored;
    if (how_ == How::kPermissions) fs::permissions(path_, permissions_, ignored);
    if (how_ == How::kImmutable) setImmutable(false);
}

bool Unwritable::setImmutable(bool on) const {
    UniqueFd fd(::open(path_.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW));
    int flags = 0;
    if (!fd.valid() || ::ioctl(fd.get(), FS_IOC_GETFLAGS, &flags) != 0) return false;
    flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
    return ::ioctl(fd.get(), FS_IOC_SETFLAGS, &flags) == 0;
}

}  // namespace testsupport
