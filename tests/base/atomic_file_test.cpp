// AtomicFile: the destination holds the old or the whole new file, never a part,
// and no temporary file outlives a failure.
#include "base/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "support/temp_dir.h"
#include "support/unwritable.h"

namespace {

namespace fs = std::filesystem;

std::string readText(const fs::path& path) {
    std::ostringstream text;
    text << std::ifstream(path).rdbuf();
    return text.str();
}

void writeText(const fs::path& path, const std::string& text) { std::ofstream(path) << text; }

class AtomicFileTest : public ::testing::Test {
protected:
    // The names in the folder: a temporary file left behind shows here.
    std::set<std::string> names() const {
        std::set<std::string> found;
        for (const auto& entry : fs::directory_iterator(dir_.path())) found.insert(entry.path().filename().string());
        return found;
    }
    std::string path(const std::string& name) const { return (dir_.path() / name).string(); }

    testsupport::TempDir dir_;
};

TEST_F(AtomicFileTest, KeepsOrReplacesWhatExists) {
    const mode_t mask = ::umask(022);
    EXPECT_FALSE(WriteFileAtomically(path("new.txt"), "fresh", ExistingFile::Keep));
    ::umask(mask);
    EXPECT_EQ(readText(path("new.txt")), "fresh");
    EXPECT_EQ(fs::status(path("new.txt")).permissions(), static_cast<fs::perms>(0644));  // not mkstemp's 0600

    EXPECT_EQ(WriteFileAtomically(path("new.txt"), "other", ExistingFile::Keep), std::errc::file_exists);
    EXPECT_EQ(readText(path("new.txt")), "fresh");
    EXPECT_FALSE(WriteFileAtomically(path("new.txt"), "other", ExistingFile::Replace));
    EXPECT_EQ(readText(path("new.txt")), "other");

    // A file that appears while the new one is written is kept too.
    AtomicFile late(path("late.txt"), ExistingFile::Keep);
    ASSERT_FALSE(late.Create());
    EXPECT_FALSE(late.Write("mine"));
    writeText(path("late.txt"), "theirs");
    EXPECT_EQ(late.Commit(), std::errc::file_exists);
    EXPECT_EQ(readText(path("late.txt")), "theirs");
    EXPECT_EQ(names(), (std::set<std::string>{"new.txt", "late.txt"}));
}

TEST_F(AtomicFileTest, ALinkAtTheDestinationIsANameNotAWayThrough) {
    writeText(path("precious.txt"), "precious");
    fs::create_symlink("precious.txt", path("link.txt"));
    fs::create_symlink("nowhere.txt", path("dangling.txt"));
    EXPECT_EQ(WriteFileAtomically(path("link.txt"), "new", ExistingFile::Keep), std::errc::file_exists);
    EXPECT_EQ(WriteFileAtomically(path("dangling.txt"), "new", ExistingFile::Keep), std::errc::file_exists);
    EXPECT_FALSE(fs::exists(path("nowhere.txt")));

    EXPECT_FALSE(WriteFileAtomically(path("link.txt"), "new", ExistingFile::Replace));
    EXPECT_FALSE(fs::is_symlink(path("link.txt")));
    EXPECT_EQ(readText(path("link.txt")), "new");
    EXPECT_EQ(readText(path("precious.txt")), "precious");
}

TEST_F(AtomicFileTest, AFolderInTheWayIsRefused) {
    fs::create_directory(path("folder.txt"));
    for (ExistingFile existing : {ExistingFile::Keep, ExistingFile::Replace}) {
        EXPECT_EQ(WriteFileAtomically(path("folder.txt"), "x", existing), std::errc::is_a_directory);
        EXPECT_EQ(WriteFileAtomically(path("folder.txt") + "/", "x", existing), std::errc::is_a_directory);
    }
    EXPECT_TRUE(fs::is_directory(path("folder.txt")));
    EXPECT_EQ(WriteFileAtomically(path("missing/x.txt"), "x", ExistingFile::Replace),
              std::errc::no_such_file_or_directory);
    EXPECT_EQ(names(), std::set<std::string>{"folder.txt"});
}

TEST_F(AtomicFileTest, WhatCannotBeWrittenStaysAsItWas) {
    writeText(path("old.txt"), "old");
    {
        testsupport::Unwritable readOnlyFile(path("old.txt"));
        if (!readOnlyFile.works()) GTEST_SKIP() << "running as root where the immutable attribute is not allowed";
        EXPECT_TRUE(WriteFileAtomically(path("old.txt"), "new", ExistingFile::Replace));
    }
    {
        testsupport::Unwritable readOnlyFolder(dir_.path());
        ASSERT_TRUE(readOnlyFolder.works());
        EXPECT_TRUE(WriteFileAtomically(path("old.txt"), "new", ExistingFile::Replace));
    }
    EXPECT_EQ(readText(path("old.txt")), "old");
    EXPECT_EQ(names(), std::set<std::string>{"old.txt"});
}

TEST_F(AtomicFileTest, AFailedWriteLeavesNoTemporaryFile) {
    writeText(path("old.txt"), "old");
    // Writes beyond the size limit fail with EFBIG instead of raising SIGXFSZ.
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    AtomicFile file(path("old.txt"), ExistingFile::Replace);
    const std::error_code created = file.Create();
    const std::error_code written = file.Write(std::string(10000, 'x'));
    const std::error_code committed = file.Commit();
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(created);
    EXPECT_EQ(written, std::errc::file_too_large);
    EXPECT_EQ(committed, written);
    EXPECT_EQ(readText(path("old.txt")), "old");
    EXPECT_EQ(names(), std::set<std::string>{"old.txt"});
}

TEST_F(AtomicFileTest, AWriterMayFillTheTemporaryFileByName) {
    AtomicFile file(path("page.pdf"), ExistingFile::Replace);
    ASSERT_FALSE(file.Create());
    EXPECT_EQ(fs::path(file.TemporaryPath()).parent_path(), dir_.path());
    EXPECT_LT(fs::path(file.TemporaryPath()).filename().string().size(), 20u);
    writeText(file.TemporaryPath(), "%PDF");
    EXPECT_FALSE(file.Commit());
    EXPECT_EQ(readText(path("page.pdf")), "%PDF");
    EXPECT_EQ(names(), std::set<std::string>{"page.pdf"});
}

}  // namespace
