#pragma once
// The path an LZH member is stored under, read from the header bytes. lhasa
// splits level-0 and level-1 names at every 0x5C byte, which cuts Shift-JIS
// characters whose trail byte is 0x5C (表, ソ, 能 …), and folds names it
// takes for MS-DOS ones to lower case byte by byte, which changes
// double-byte characters; so the names are taken from the raw header here.
#include <cstddef>  // before lhasa's header, which uses size_t
#include <cstdint>

#include <lha_file_header.h>

#include <string>

namespace archive {

struct StoredName {
    std::string folder;  // Shift-JIS, '/'-separated, ending with '/' unless empty
    std::string file;    // Shift-JIS; empty for a folder entry
    std::string path() const { return folder + file; }
};

// Reads the name fields of a header of level 0 to 3 from its raw bytes: the
// name field of levels 0 and 1 (which may hold a path with '\' or '/'), then
// the file-name (0x01) and folder-name (0x02, 0xFF-separated) extended
// headers, which replace the parts they name.
StoredName ReadStoredName(const uint8_t* raw, size_t length, int level);
StoredName ReadStoredName(const LHAFileHeader& header);

}  // namespace archive
