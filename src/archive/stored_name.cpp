#include "archive/stored_name.h"

#include "base/sjis.h"

namespace archive {
namespace {

// Turns '\', '/' and 0xFF into '/', character by character.
std::string unifySeparators(std::string_view field) {
    std::string out(field);
    for (size_t i = 0; i < out.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(out[i]);
        if (sjis::isLeadByte(c) && i + 1 < out.size())
            ++i;
        else if (c == '\\' || c == 0xFF)
            out[i] = '/';
    }
    return out;
}

void splitAtLastSeparator(const std::string& path, StoredName& name) {
    size_t slash = path.rfind('/');  // 0x2F is never a trail byte
    if (slash == std::string::npos) {
        name.folder.clear();
        name.file = path;
    } else {
        name.folder = path.substr(0, slash + 1);
        name.file = path.substr(slash + 1);
    }
}

uint32_t readLittleEndian(const uint8_t* p, size_t size) {
    uint32_t value = 0;
    for (size_t i = size; i-- > 0;) value = (value << 8) | p[i];
    return value;
}

}  // namespace

StoredName ReadStoredName(const uint8_t* raw, size_t length, int level) {
    StoredName name;
    size_t offset = 0, fieldSize = 2;
    if (level == 0 || level == 1) {
        if (length < 22) return name;
        size_t nameLength = raw[21];
        if (22 + nameLength > length) return name;
        splitAtLastSeparator(unifySeparators(std::string_view(reinterpret_cast<const char*>(raw + 22), nameLength)),
                             name);
        if (level == 0) return name;
        offset = raw[0];  // the first extended-header size closes the base header
    } else if (level == 2) {
        offset = 24;
    } else if (level == 3) {
        offset = 28;
        fieldSize = 4;
    } else {
        return name;
    }

    // Each extended header: its size, then type, data and the next size;
    // the size counts type, data and the next size field.
    while (offset + fieldSize <= length) {
        size_t size = readLittleEndian(raw + offset, fieldSize);
        if (size == 0 || size < fieldSize + 1 || offset + size + fieldSize > length) break;
        const uint8_t* header = raw + offset + fieldSize;
        std::string_view data(reinterpret_cast<const char*>(header + 1), size - fieldSize - 1);
        if (header[0] == 0x01) {
            name.file = unifySeparators(data);
        } else if (header[0] == 0x02) {
            name.folder = unifySeparators(data);
            if (!name.folder.empty() && name.folder.back() != '/') name.folder += '/';
        }
        offset += size;
    }
    return name;
}

StoredName ReadStoredName(const LHAFileHeader& header) {
    return ReadStoredName(header.raw_data, header.raw_data_len, header.header_level);
}

}  // namespace archive
