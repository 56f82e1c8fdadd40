#include <gtest/gtest.h>
#include <lhasa.h>
#include <sys/stat.h>

#include <filesystem>

#include "archive/crc16.h"
#include "archive/lhasa_extractor.h"
#include "archive/stored_name.h"
#include "archive/unlha.h"
#include "base/sjis.h"
#include "support/lzh_writer.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using testsupport::CraftArchive;
using testsupport::CraftedMember;
using testsupport::ReadBytes;
using testsupport::WriteBytes;

// Text that compresses, different for every seed.
std::string sampleText(int seed, int lines) {
    std::string text;
    for (int i = 0; i < lines; ++i)
        text += "L" + std::to_string(seed) + "," + std::to_string(i * 7919 % 1000) + "," +
                std::to_string((i * i + seed) % 97) + "\r\n";
    return text;
}

// Every file below `folder`, as paths relative to it (UTF-8).
std::vector<std::string> filesBelow(const fs::path& folder) {
    std::vector<std::string> out;
    if (!fs::exists(folder)) return out;
    for (const auto& e : fs::recursive_directory_iterator(folder))
        if (!e.is_directory()) out.push_back(fs::relative(e.path(), folder).string());
    std::sort(out.begin(), out.end());
    return out;
}

class Extraction : public ::testing::Test {
protected:
    // Runs Unlha on a command line of the open command's form.
    int extract(const fs::path& archive, const fs::path& base, const std::string& switches = "-x1",
                const std::string& pattern = "") {
        std::string line = "E -+ " + switches + " -jyco -r2 -jf0 -n1 \"" + sjis::fromUtf8(archive.string()) +
                           "\" \"" + sjis::fromUtf8(base.string()) + "\\\" \"" + pattern + "\"";
        log.clear();
        return Unlha(line, log);
    }
    bool logHas(const std::string& utf8) const { return log.find(sjis::fromUtf8(utf8)) != std::string::npos; }

    testsupport::TempDir tmp;
    fs::path base = tmp.path() / "base";
    fs::path outside = tmp.path() / "outside";
    std::string log;
};

// Real archives from jlha: every method, nested folders, Shift-JIS names.
class JlhaArchive : public Extraction {
protected:
    void SetUp() override {
        source = tmp.path() / "src";
        files = {
            {"13101/13101.txt", sampleText(1, 400)},
            {"13101/sub/deep/arc.dat", sampleText(2, 900)},
            {u8"13101/表示/ソース能.txt", sampleText(3, 50)},  // 表 ソ 能 end in the byte 0x5C
            {"13101/tiny.txt", "x"},
        };
        for (const auto& [name, text] : files) WriteBytes(source / name, text);
    }
    void expectAllExtracted(const fs::path& folder) {
        for (const auto& [name, text] : files) EXPECT_EQ(ReadBytes(folder / name), text) << name;
        EXPECT_EQ(filesBelow(folder).size(), files.size());
    }
    fs::path make(const std::string& options) {
        fs::path archive = tmp.path() / ("a" + options + ".lzh");
        testsupport::MakeArchiveWithJlha(source, archive, options, {"13101"});
        return archive;
    }
    fs::path source;
    std::vector<std::pair<std::string, std::string>> files;
};

TEST_F(JlhaArchive, EveryMethodAndHeaderLevel) {
    const std::vector<std::pair<std::string, std::string>> kinds = {
        {"yz", "-lh0-"}, {"yo5", "-lh5-"}, {"yo6", "-lh6-"}, {"yo7", "-lh7-"}, {"y0", "-lh5-"}, {"y1", "-lh5-"}};
    for (const auto& [options, method] : kinds) {
        SCOPED_TRACE(options);
        fs::path archive = make(options);
        ASSERT_NE(ReadBytes(archive).find(method), std::string::npos);  // jlha wrote what was asked for
        fs::path out = tmp.path() / ("out" + options);
        EXPECT_EQ(extract(archive, out), 0) << log;
        expectAllExtracted(out);
        EXPECT_TRUE(logHas(u8"Extracted 13101/表示/ソース能.txt")) << log;
    }
}

TEST_F(JlhaArchive, WithoutFolderSwitchFilesGoIntoTheBaseFolder) {
    fs::path archive = make("y");
    EXPECT_EQ(extract(archive, base, "-x0"), 0) << log;
    EXPECT_EQ(filesBelow(base),
              (std::vector<std::string>{"13101.txt", "arc.dat", "tiny.txt", u8"ソース能.txt"}));
}

TEST_F(JlhaArchive, PatternsChooseMembers) {
    fs::path archive = make("y");
    EXPECT_EQ(extract(archive, base, "-x1", "*.TXT"), 0) << log;
    EXPECT_EQ(filesBelow(base),
              (std::vector<std::string>{"13101/13101.txt", "13101/tiny.txt", u8"13101/表示/ソース能.txt"}));
}

TEST_F(JlhaArchive, ExistingFilesAreReplacedOthersStay) {
    fs::path archive = make("yo5");
    WriteBytes(base / "13101/13101.txt", "old contents that are longer than nothing");
    WriteBytes(base / "13101/kept.txt", "mine");
    EXPECT_EQ(extract(archive, base), 0) << log;
    EXPECT_EQ(ReadBytes(base / "13101/13101.txt"), files[0].second);
    EXPECT_EQ(ReadBytes(base / "13101/kept.txt"), "mine");
}

TEST_F(JlhaArchive, CutArchivesFailAndLeaveNothing) {
    std::string bytes = ReadBytes(make("yo5"));
    // Where each member's data begins: just after its method's header.
    size_t bigData = bytes.find("arc.dat");
    ASSERT_NE(bigData, std::string::npos);
    for (size_t cut : {size_t{5}, size_t{30}, bigData + 60, bigData + 400, bytes.size() - 3}) {
        SCOPED_TRACE(cut);
        fs::path archive = tmp.path() / "cut.lzh";
        WriteBytes(archive, bytes.substr(0, cut));
        fs::path out = tmp.path() / ("cut" + std::to_string(cut));
        EXPECT_NE(extract(archive, out), 0) << log;
        EXPECT_FALSE(fs::exists(out)) << filesBelow(out).size() << " files left";  // nor the folder made for it
    }
}

TEST_F(JlhaArchive, DamagedDataFailsAndLeavesNothingOfTheArchive) {
    std::string bytes = ReadBytes(make("yo6"));
    size_t at = bytes.find("arc.dat");
    ASSERT_NE(at, std::string::npos);
    bytes[at + 300] = static_cast<char>(bytes[at + 300] ^ 0x55);
    fs::path archive = tmp.path() / "damaged.lzh";
    WriteBytes(archive, bytes);
    EXPECT_NE(extract(archive, base), 0);
    EXPECT_TRUE(logHas("Failed 13101/sub/deep/arc.dat")) << log;
    // The other members were extracted whole, and removed again.
    EXPECT_TRUE(logHas("Extracted 13101/13101.txt")) << log;
    EXPECT_TRUE(logHas("Removed the 3 files extracted before the failure")) << log;
    EXPECT_FALSE(fs::exists(base));
}

// A folder extracted into before keeps what it held; only what the failed run
// made goes (a file it replaced too: its old contents are gone already).
TEST_F(Extraction, AFailedExtractionRemovesOnlyWhatItMade) {
    WriteBytes(base / "13101/kept.txt", "mine");
    WriteBytes(base / "13101/replaced.txt", "old");
    WriteBytes(base / "old.txt", "old");
    std::string archive = CraftArchive({
        {.level = 2, .name = "replaced.txt", .folder = "13101\xFF", .data = "new"},
        {.level = 2, .name = "new.txt", .folder = "13101\xFF" "sub\xFF" "deeper\xFF", .data = "new"},
        {.level = 2, .name = "", .folder = "13101\xFF" "empty\xFF", .method = "-lhd-"},
        {.level = 2, .name = "crc.txt", .data = "payload", .crcAdjust = 1},
    });
    WriteBytes(tmp.path() / "f.lzh", archive);
    EXPECT_EQ(extract(tmp.path() / "f.lzh", base), kUnlhaDataError);
    EXPECT_EQ(filesBelow(base), (std::vector<std::string>{"13101/kept.txt", "old.txt"}));
    EXPECT_FALSE(fs::exists(base / "13101/sub"));
    EXPECT_FALSE(fs::exists(base / "13101/empty"));
    EXPECT_TRUE(logHas("Removed the 2 files extracted before the failure")) << log;
}

// Hand-made archives with names no archiver should store.
TEST_F(Extraction, CraftedArchivesOfEveryLevelExtract) {
    std::string sjisName = sjis::fromUtf8(u8"表\\能.txt");  // Windows path, trail bytes 0x5C
    std::string archive = CraftArchive({
        {.level = 0, .name = "m0\\zero.txt", .data = "level zero"},
        {.level = 1, .name = "one.txt", .folder = "m1\xFF" "deep\xFF", .data = "level one"},
        {.level = 2, .name = "two.txt", .folder = "m2\xFF", .data = "level two"},
        {.level = 0, .name = sjisName, .data = "sjis"},
        {.level = 2, .name = "", .folder = "empty\xFF", .method = "-lhd-"},
    });
    WriteBytes(tmp.path() / "c.lzh", archive);
    EXPECT_EQ(extract(tmp.path() / "c.lzh", base), 0) << log;
    EXPECT_EQ(ReadBytes(base / "m0/zero.txt"), "level zero");
    EXPECT_EQ(ReadBytes(base / "m1/deep/one.txt"), "level one");
    EXPECT_EQ(ReadBytes(base / "m2/two.txt"), "level two");
    EXPECT_EQ(ReadBytes(base / u8"表/能.txt"), "sjis");
    EXPECT_TRUE(fs::is_directory(base / "empty"));
}

TEST_F(Extraction, StoredNamesComeFromTheHeaderBytes) {
    // lhasa itself would cut 表 (95 5C) at its trail byte; the raw name keeps it.
    std::string hyou = sjis::fromUtf8(u8"表");
    std::string bytes = CraftArchive({{.level = 0, .name = "d\\" + hyou + ".txt", .data = "x"},
                                      {.level = 1, .name = hyou + "1.txt", .folder = hyou + "\xFF", .data = "y"},
                                      {.level = 2, .name = hyou + "2.txt", .folder = "a\xFF" "b", .data = "z"}});
    WriteBytes(tmp.path() / "n.lzh", bytes);
    std::string path = (tmp.path() / "n.lzh").string();
    LHAInputStream* stream = lha_input_stream_from(path.data());
    LHAReader* reader = lha_reader_new(stream);
    std::vector<std::string> names;
    while (LHAFileHeader* h = lha_reader_next_file(reader)) names.push_back(archive::ReadStoredName(*h).path());
    lha_reader_free(reader);
    lha_input_stream_free(stream);
    EXPECT_EQ(names, (std::vector<std::string>{"d/" + hyou + ".txt", hyou + "/" + hyou + "1.txt",
                                               "a/b/" + hyou + "2.txt"}));
}

TEST_F(Extraction, UnsafePathsAreRefused) {
    fs::path absolute = outside / "absolute.txt";
    std::string archive = CraftArchive({
        {.level = 0, .name = "..\\escape0.txt", .data = "bad"},
        {.level = 0, .name = sjis::fromUtf8(absolute.string()), .data = "bad"},
        {.level = 0, .name = "C:\\drive.txt", .data = "bad"},
        {.level = 1, .name = "escape1.txt", .folder = "..\xFF", .data = "bad"},
        {.level = 2, .name = "escape2.txt", .folder = "ok\xFF..\xFF..\xFF", .data = "bad"},
        {.level = 2, .name = "escape3.txt", .folder = sjis::fromUtf8(outside.string()) + "\xFF", .data = "bad"},
        {.level = 2, .name = "fine.txt", .data = "good"},
    });
    fs::create_directories(outside);
    WriteBytes(tmp.path() / "u.lzh", archive);
    EXPECT_EQ(extract(tmp.path() / "u.lzh", base), kUnlhaRefusedEntry);
    EXPECT_TRUE(logHas("Refused ../escape0.txt")) << log;
    EXPECT_TRUE(logHas("Refused " + absolute.string() + ": absolute path")) << log;
    EXPECT_TRUE(logHas("Refused C:/drive.txt: absolute path")) << log;
    EXPECT_TRUE(logHas("Refused ../escape1.txt")) << log;
    EXPECT_TRUE(logHas("Refused ok/../../escape2.txt")) << log;
    EXPECT_TRUE(logHas("escape3.txt: absolute path")) << log;
    // Nothing anywhere: the one safe file went with the failed archive.
    EXPECT_TRUE(logHas("Extracted fine.txt")) << log;
    EXPECT_EQ(filesBelow(tmp.path()), (std::vector<std::string>{"u.lzh"}));
}

TEST_F(Extraction, SymbolicLinksInTheBaseFolderAreNotFollowed) {
    fs::create_directories(outside);
    fs::create_directories(base);
    fs::create_directory_symlink(outside, base / "link");
    fs::create_symlink(outside / "victim.txt", base / "victim.txt");
    std::string archive = CraftArchive({
        {.level = 2, .name = "x.txt", .folder = "link\xFF", .data = "bad"},
        {.level = 2, .name = "y.txt", .folder = "link\xFF" "deeper\xFF", .data = "bad"},
        {.level = 2, .name = "victim.txt", .data = "bad"},
        {.level = 2, .name = "", .folder = "link\xFF" "made\xFF", .method = "-lhd-"},
    });
    WriteBytes(tmp.path() / "s.lzh", archive);
    EXPECT_EQ(extract(tmp.path() / "s.lzh", base), kUnlhaRefusedEntry);
    EXPECT_TRUE(logHas("Refused link/x.txt: passes through a symbolic link")) << log;
    EXPECT_TRUE(logHas("Refused link/deeper/y.txt: passes through a symbolic link")) << log;
    EXPECT_TRUE(logHas("Refused victim.txt: a symbolic link of that name")) << log;
    EXPECT_TRUE(fs::is_empty(outside));
    EXPECT_TRUE(fs::is_symlink(base / "victim.txt"));
}

TEST_F(Extraction, SymbolicLinkMembersAreNeverCreated) {
    fs::create_directories(outside);
    std::string target = sjis::fromUtf8(outside.string());
    // As Unix LHA stores them: a folder entry "name|target" with the mode of a link.
    const int linkMode = 0120777;
    std::string archive = CraftArchive({
        {.level = 2, .name = "link|" + target, .method = "-lhd-", .os = 'U', .unixMode = linkMode},
        {.level = 2, .name = "x.txt", .folder = "link\xFF", .data = "bad"},
        {.level = 1, .name = "link1|" + target, .method = "-lhd-", .os = 'U', .unixMode = linkMode},
        {.level = 1, .name = "z.txt", .folder = "link1\xFF" "sub\xFF", .data = "bad"},
        // Without the mode lhasa takes it for a folder; the name still shows the link.
        {.level = 0, .name = "link0|" + target, .method = "-lhd-"},
        {.level = 0, .name = "link0\\y.txt", .data = "bad"},
        {.level = 2, .name = "fine.txt", .data = "good"},
    });
    WriteBytes(tmp.path() / "l.lzh", archive);
    EXPECT_EQ(extract(tmp.path() / "l.lzh", base), kUnlhaRefusedEntry);
    EXPECT_TRUE(logHas("Refused link: symbolic links are not extracted")) << log;
    EXPECT_TRUE(logHas("Refused link/x.txt: passes through a symbolic link of the archive")) << log;
    EXPECT_TRUE(logHas("Refused link1: symbolic links are not extracted")) << log;
    EXPECT_TRUE(logHas("Refused link1/sub/z.txt: passes through a symbolic link of the archive")) << log;
    EXPECT_TRUE(logHas("Refused link0: symbolic links are not extracted")) << log;
    EXPECT_TRUE(logHas("Refused link0/y.txt")) << log;
    EXPECT_FALSE(fs::exists(fs::symlink_status(base / "link")));
    EXPECT_FALSE(fs::exists(fs::symlink_status(base / "link0")));
    EXPECT_FALSE(fs::exists(fs::symlink_status(base / "link1")));
    EXPECT_TRUE(fs::is_empty(outside));
    EXPECT_FALSE(fs::exists(base / "fine.txt"));
}

TEST_F(Extraction, DataErrorsAreReported) {
    std::string archive = CraftArchive({
        {.level = 2, .name = "crc.txt", .data = "payload", .crcAdjust = 1},
        {.level = 2, .name = "method.txt", .data = "payload", .method = "-lh9-"},
        {.level = 2, .name = "fine.txt", .data = "good"},
    });
    WriteBytes(tmp.path() / "d.lzh", archive);
    EXPECT_EQ(extract(tmp.path() / "d.lzh", base), kUnlhaDataError);
    EXPECT_TRUE(logHas("Failed crc.txt: CRC error")) << log;
    EXPECT_TRUE(logHas("Failed method.txt: unknown compression method -lh9-")) << log;
    EXPECT_TRUE(logHas("Extracted fine.txt")) << log;
    EXPECT_FALSE(fs::exists(base));
}

TEST_F(Extraction, ThingsInTheWay) {
    WriteBytes(base / "file", "a file where a folder should be");
    fs::create_directories(base / "folder.txt");
    std::string archive = CraftArchive({
        {.level = 2, .name = "x.txt", .folder = "file\xFF", .data = "x"},
        {.level = 2, .name = "folder.txt", .data = "y"},
    });
    WriteBytes(tmp.path() / "w.lzh", archive);
    EXPECT_EQ(extract(tmp.path() / "w.lzh", base), kUnlhaCannotWrite);
    EXPECT_TRUE(logHas("Failed file/x.txt: a file stands where a folder should be")) << log;
    EXPECT_TRUE(logHas("Failed folder.txt: a folder of that name is in the way")) << log;
    EXPECT_EQ(filesBelow(base), (std::vector<std::string>{"file"}));  // what was there stays
    EXPECT_TRUE(fs::is_directory(base / "folder.txt"));
}

TEST_F(Extraction, WhatIsNoArchive) {
    EXPECT_EQ(extract(tmp.path() / "missing.lzh", base), kUnlhaCannotOpenArchive);
    EXPECT_TRUE(logHas("Cannot open the archive")) << log;
    WriteBytes(tmp.path() / "text.lzh", "just some text, no archive at all\n");
    EXPECT_EQ(extract(tmp.path() / "text.lzh", base), kUnlhaNotAnArchive);
    WriteBytes(tmp.path() / "empty.lzh", "");
    EXPECT_EQ(extract(tmp.path() / "empty.lzh", base), kUnlhaNotAnArchive);
    EXPECT_EQ(extract(tmp.path(), base), kUnlhaCannotOpenArchive);  // a folder
    ASSERT_EQ(::mkfifo((tmp.path() / "fifo.lzh").c_str(), 0600), 0);
    EXPECT_EQ(extract(tmp.path() / "fifo.lzh", base), kUnlhaCannotOpenArchive);  // and no hang
    EXPECT_FALSE(fs::exists(base));  // nothing was made for any of them
    // A broken header after a good member.
    std::string bytes = CraftArchive({{.level = 2, .name = "a.txt", .data = "aaa"},
                                      {.level = 2, .name = "b.txt", .data = "bbb"}});
    bytes[bytes.find("b.txt") - 3] ^= 0x40;  // inside the second header: its CRC no longer fits
    WriteBytes(tmp.path() / "broken.lzh", bytes);
    EXPECT_EQ(extract(tmp.path() / "broken.lzh", base), kUnlhaBrokenArchive);
    EXPECT_TRUE(logHas("Broken or cut header at offset")) << log;
    EXPECT_TRUE(logHas("Extracted a.txt")) << log;
    EXPECT_FALSE(fs::exists(base));
}

// Archives cannot fill the disk.
TEST_F(Extraction, ArchivesDeclaringTooMuchAreRefusedBeforeAnythingIsWritten) {
    const int64_t threeGiB = int64_t{3} << 30;
    std::string archive = CraftArchive({{.level = 2, .name = "a.txt", .data = "a", .declaredSize = threeGiB},
                                        {.level = 0, .name = "b.txt", .data = "b", .declaredSize = threeGiB}});
    WriteBytes(tmp.path() / "huge.lzh", archive);
    EXPECT_EQ(extract(tmp.path() / "huge.lzh", base), kUnlhaTooLarge);
    EXPECT_TRUE(logHas("its members declare 6442450944 bytes, more than the 4294967296 bytes allowed per archive"))
        << log;
    EXPECT_FALSE(fs::exists(base));

    // The free space less the margin is the other limit; here no space is left over.
    archive::ExtractionJob job;
    job.archivePath = (tmp.path() / "small.lzh").string();
    job.archiveText = "small.lzh";
    job.baseFolder = base.string();
    WriteBytes(job.archivePath, CraftArchive({{.level = 2, .name = "a.txt", .data = "a"}}));
    job.limits.freeSpaceMargin = UINT64_MAX;
    log.clear();
    EXPECT_EQ(archive::ExtractWithLhasa(job, log), kUnlhaTooLarge);
    EXPECT_TRUE(logHas("its members declare 1 bytes, more than the ")) << log;
    EXPECT_TRUE(logHas(" bytes free for " + base.string() + " less a margin of 18446744073709551615 bytes")) << log;
    EXPECT_FALSE(fs::exists(base));
    // A sum right at a limit is allowed.
    job.limits = {.maxDeclaredBytes = 1};
    log.clear();
    EXPECT_EQ(archive::ExtractWithLhasa(job, log), kUnlhaOk) << log;
    EXPECT_EQ(ReadBytes(base / "a.txt"), "a");
}

TEST_F(Extraction, AMemberRunningPastItsDeclaredSizeStopsTheExtraction) {
    std::string archive = CraftArchive({
        {.level = 2, .name = "a.txt", .data = "aaa"},
        {.level = 1, .name = "big.txt", .folder = "sub\xFF", .data = std::string(5000, 'x'), .declaredSize = 10},
        {.level = 2, .name = "c.txt", .data = "ccc"},
    });
    WriteBytes(tmp.path() / "past.lzh", archive);
    EXPECT_EQ(extract(tmp.path() / "past.lzh", base), kUnlhaDataError);
    EXPECT_TRUE(logHas("Failed sub/big.txt: its data runs past its declared size of 10 bytes")) << log;
    EXPECT_TRUE(logHas("Removed the 1 file extracted before the failure")) << log;
    EXPECT_FALSE(logHas("c.txt")) << log;  // nothing after it is extracted
    EXPECT_FALSE(fs::exists(base));
}

// A compressed member whose header declares less than its data holds: lhasa
// decodes no more than the declared size, the CRC then fails, and nothing of
// the archive stays.
TEST_F(JlhaArchive, ACompressedMemberDeclaringTooLittleLeavesNothing) {
    std::string bytes = ReadBytes(make("y2o5"));
    auto at = [&](size_t i, int n) {  // little-endian number of n bytes
        uint32_t v = 0;
        for (int k = n - 1; k >= 0; --k) v = v << 8 | static_cast<unsigned char>(bytes[i + k]);
        return v;
    };
    // Level-2 headers: total size at 0, packed size at 7, original size at 11,
    // extended headers from 24 (size, then type and data), type 0 the header CRC.
    size_t header = 0;
    while (bytes.substr(header, at(header, 2)).find("arc.dat") == std::string::npos)
        header += at(header, 2) + at(header + 7, 4);
    ASSERT_EQ(bytes.substr(header + 2, 5), "-lh5-");
    ASSERT_EQ(at(header + 11, 4), files[1].second.size());
    const uint32_t declared = at(header + 11, 4) / 2;
    for (int k = 0; k < 4; ++k) bytes[header + 11 + k] = static_cast<char>(declared >> (8 * k));
    size_t crcAt = 0;
    for (size_t e = header + 24; at(e, 2) != 0; e += at(e, 2))
        if (bytes[e + 2] == 0) crcAt = e + 3;
    ASSERT_NE(crcAt, 0u);
    bytes[crcAt] = bytes[crcAt + 1] = 0;
    const uint16_t crc = archive::Crc16(0, bytes.data() + header, at(header, 2));
    bytes[crcAt] = static_cast<char>(crc & 0xFF);
    bytes[crcAt + 1] = static_cast<char>(crc >> 8);
    WriteBytes(tmp.path() / "less.lzh", bytes);
    EXPECT_EQ(extract(tmp.path() / "less.lzh", base), kUnlhaDataError);
    EXPECT_TRUE(logHas("Failed 13101/sub/deep/arc.dat: CRC error")) << log;
    EXPECT_FALSE(fs::exists(base));
}

}  // namespace
