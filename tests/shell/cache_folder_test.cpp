#include "shell/cache_folder.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "base/sjis.h"
#include "base/unique_fd.h"
#include "support/lzh_writer.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using testsupport::ReadBytes;
using testsupport::WriteBytes;

std::string text(const fs::path& p) { return sjis::fromUtf8(p.string()); }

TEST(CacheFolderPlace, RulesInOrder) {
    testsupport::TempDir tmp;
    fs::path program = tmp.path() / "bin";
    fs::create_directories(program);
    ProgramPlaces places{"", program.string(), "/xdg/cache", "/home/user", ""};
    EXPECT_EQ(CacheFolderIn(places), "/xdg/cache/orvelle/Maps/");
    EXPECT_EQ(ConfigFolderIn(places), "/home/user/.config/orvelle/");
    places.xdgConfigHome = "/xdg/config/";
    EXPECT_EQ(ConfigFolderIn(places), "/xdg/config/orvelle/");
    places.xdgCacheHome = "relative/cache";  // not absolute: ignored, as XDG says
    EXPECT_EQ(CacheFolderIn(places), "/home/user/.cache/orvelle/Maps/");
    places.xdgCacheHome.clear();
    EXPECT_EQ(CacheFolderIn(places), "/home/user/.cache/orvelle/Maps/");
    WriteBytes(program / "orvelle.ini", "[Settings]\n");  // portable use
    EXPECT_EQ(CacheFolderIn(places), program.string() + "/Maps/");
    EXPECT_EQ(ConfigFolderIn(places), program.string() + "/");
    places.orvelleHome = "/test/home/";
    EXPECT_EQ(CacheFolderIn(places), "/test/home/Maps/");
    EXPECT_EQ(ConfigFolderIn(places), "/test/home/");
}

TEST(CacheFolderPlace, ThisProcessHonoursOrvelleHome) {
    testsupport::TempDir tmp;
    const char* saved = std::getenv("ORVELLE_HOME");
    std::optional<std::string> before = saved ? std::optional<std::string>(saved) : std::nullopt;
    ::setenv("ORVELLE_HOME", tmp.path().c_str(), 1);
    EXPECT_EQ(CacheFolder(), text(tmp.path()) + "/Maps/");
    ::setenv("ORVELLE_HOME", (tmp.path() / u8"地図").c_str(), 1);
    EXPECT_EQ(CacheFolder(), text(tmp.path() / u8"地図") + "/Maps/");
    ::setenv("ORVELLE_HOME", (tmp.path() / u8"\U0001F600").c_str(), 1);  // no Shift-JIS form
    EXPECT_THROW(CacheFolder(), std::runtime_error);
    if (before)
        ::setenv("ORVELLE_HOME", before->c_str(), 1);
    else
        ::unsetenv("ORVELLE_HOME");
}

TEST(ExtractionFolderName, CacheFolderAndArchiveName) {
    const std::string cache = "/c/Maps/";
    EXPECT_EQ(ExtractionFolder(cache, "/data/13101.lzh"), "/c/Maps/13101");
    EXPECT_EQ(ExtractionFolder(cache, "C:\\data\\x.LZH"), "/c/Maps/x");
    EXPECT_EQ(ExtractionFolder(cache, "archive.v2.lzh"), "/c/Maps/archive.v2");
    std::string name = sjis::fromUtf8(u8"新宿表");  // ends in the byte 0x5C
    EXPECT_EQ(ExtractionFolder(cache, "/data/" + name + ".lzh"), cache + name);
    // Names that would leave the cache folder keep their extension.
    EXPECT_EQ(ExtractionFolder(cache, "/data/...lzh"), "/c/Maps/...lzh");
    EXPECT_EQ(ExtractionFolder(cache, "/data/..lzh"), "/c/Maps/..lzh");
    EXPECT_EQ(ExtractionFolder(cache, "/data/.lzh"), "/c/Maps/.lzh");
}

class FolderProcedures : public ::testing::Test {
protected:
    void SetUp() override {
        WriteBytes(cache / "13101/13101/a.txt", std::string(100, 'a'));
        WriteBytes(cache / "13101/13101/sub/b.arc", std::string(2000, 'b'));
        WriteBytes(cache / "13102/c.txt", std::string(30, 'c'));
        WriteBytes(cache / "top.txt", "12345");
        fs::create_directories(cache / "empty/deeper");
        WriteBytes(outside / "precious.txt", std::string(7000, 'p'));
        fs::create_directory_symlink(outside, cache / "13101/linked");
        fs::create_symlink(outside / "precious.txt", cache / "file-link");
        fs::create_symlink(tmp.path() / "nowhere", cache / "dangling");
    }
    testsupport::TempDir tmp;
    fs::path cache = tmp.path() / "Maps";
    fs::path outside = tmp.path() / "outside";
};

TEST_F(FolderProcedures, SizeCountsRegularFilesOnly) {
    double total = 0.5;  // adds to what it is given
    FolderSize(text(cache), total);
    EXPECT_EQ(total, 0.5 + 100 + 2000 + 30 + 5);
    double missing = 0;
    FolderSize(text(tmp.path() / "none"), missing);
    EXPECT_EQ(missing, 0);
}

TEST_F(FolderProcedures, ClearRemovesEverythingButTheFolder) {
    EXPECT_TRUE(ClearFolder(text(cache) + "/"));
    EXPECT_TRUE(fs::is_directory(cache));
    EXPECT_TRUE(fs::is_empty(cache));
    // The links went, not what they pointed to.
    EXPECT_EQ(ReadBytes(outside / "precious.txt"), std::string(7000, 'p'));
    EXPECT_TRUE(ClearFolder(text(tmp.path() / "none")));  // nothing to do
}

// Makes one file impossible to delete for this test. An ordinary user loses
// the write permission of its folder; root, who ignores permissions, needs
// the immutable attribute or a read-only bind mount of the folder.
class UndeletableFile {
public:
    explicit UndeletableFile(const fs::path& file) : file_(file), folder_(file.parent_path()) {
        if (::geteuid() != 0) {
            fs::permissions(folder_, fs::perms::owner_read | fs::perms::owner_exec);
            how_ = How::kPermissions;
        } else if (setImmutable(true)) {
            how_ = How::kImmutable;
        } else if (::mount(folder_.c_str(), folder_.c_str(), nullptr, MS_BIND, nullptr) == 0) {
            if (::mount(nullptr, folder_.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0)
                how_ = How::kReadOnlyMount;
            else
                ::umount(folder_.c_str());
        }
    }
    ~UndeletableFile() {
        if (how_ == How::kPermissions) fs::permissions(folder_, fs::perms::owner_all);
        if (how_ == How::kImmutable) setImmutable(false);
        if (how_ == How::kReadOnlyMount) ::umount(folder_.c_str());
    }
    bool works() const { return how_ != How::kNone; }

private:
    enum class How { kNone, kPermissions, kImmutable, kReadOnlyMount };
    bool setImmutable(bool on) {
        UniqueFd fd(::open(file_.c_str(), O_RDONLY | O_CLOEXEC));
        int flags = 0;
        if (!fd.valid() || ::ioctl(fd.get(), FS_IOC_GETFLAGS, &flags) != 0) return false;
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        return ::ioctl(fd.get(), FS_IOC_SETFLAGS, &flags) == 0;
    }
    fs::path file_, folder_;
    How how_ = How::kNone;
};

TEST_F(FolderProcedures, WhatCannotBeDeletedStaysWithItsFolders) {
    fs::path kept = cache / "13101/13101/locked/keep.txt";
    WriteBytes(kept, "stays");
    std::optional<UndeletableFile> lock(kept);
    if (!lock->works())
        GTEST_SKIP() << "running as root where neither the immutable attribute nor a bind mount is allowed";
    EXPECT_FALSE(ClearFolder(text(cache)));
    lock.reset();
    EXPECT_EQ(ReadBytes(kept), "stays");
    std::vector<std::string> left;
    for (const auto& e : fs::recursive_directory_iterator(cache)) left.push_back(fs::relative(e.path(), cache));
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"13101", "13101/13101", "13101/13101/locked",
                                              "13101/13101/locked/keep.txt"}));
    EXPECT_EQ(ReadBytes(outside / "precious.txt"), std::string(7000, 'p'));
}

}  // namespace
