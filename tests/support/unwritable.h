#pragma once
// Makes a file or folder impossible to write for as long as the object lives.
// An ordinary user loses the write permissions; root, who ignores permissions,
// needs the immutable attribute, which not every file system or container
// allows (works() tells).
#include <filesystem>

namespace testsupport {

class Unwritable {
public:
    explicit Unwritable(std::filesystem::path path);
    ~Unwritable();
    Unwritable(const Unwritable&) = delete;
    Unwritable& operator=(const Unwritable&) = delete;
    bool works() const { return how_ != How::kNone; }

private:
    enum class How { kNone, kPermissions, kImmutable };
    bool setImmutable(bool on) const;
    std::filesystem::path path_;
    std::filesystem::perms permissions_ = std::filesystem::perms::none;
    How how_ = How::kNone;
};

}  // namespace testsupport
