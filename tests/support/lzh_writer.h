#pragma once
// LZH archives for the tests: real ones made by jlha from files on disk, and
// hand-made ones written byte by byte, for names no archiver would store.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace testsupport {

// Runs jlha in `workDir` to make `archive` from `members` (paths relative to
// `workDir`). `options` are the letters after jlha's command "a": "y" stores
// names in Shift-JIS, "0"/"1"/"2" picks the header level, "o5"/"o6"/"o7"
// the method, "z" stores without compression. Throws when jlha fails.
void MakeArchiveWithJlha(const std::filesystem::path& workDir, const std::filesystem::path& archive,
                         const std::string& options, const std::vector<std::string>& members);

// One member of a hand-made archive; its data is stored as it is.
struct CraftedMember {
    int level = 2;                   // header level 0, 1 or 2
    std::string name{};              // the name field (levels 0, 1) or file-name header (level 2), as stored
    std::string folder{};            // levels 1, 2: the folder-name header (0xFF-separated); none when empty
    std::string data{};
    std::string method = "-lh0-";    // "-lhd-" for folders and symbolic links
    char os = 'M';
    int unixMode = -1;               // levels 1, 2: a Unix permission header (0x50) when not -1
    int crcAdjust = 0;               // added to the data CRC written in the header
    int64_t declaredSize = -1;       // the original size written in the header; the data's size when -1
};

// The archive: every header with its checksum (levels 0 and 1) or header
// CRC (level 2), the data CRC, and the closing zero byte.
std::string CraftArchive(const std::vector<CraftedMember>& members);

void WriteBytes(const std::filesystem::path& file, const std::string& bytes);
std::string ReadBytes(const std::filesystem::path& file);

}  // namespace testsupport
