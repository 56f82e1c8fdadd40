#include "support/lzh_writer.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "archive/crc16.h"

namespace testsupport {
namespace {

std::string shellQuoted(const std::string& text) {
    std::string out = "'";
    for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

std::string littleEndian(uint32_t value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
    return out;
}

uint16_t crcOf(const std::string& bytes) { return archive::Crc16(0, bytes.data(), bytes.size()); }

uint32_t originalSize(const CraftedMember& m) {
    return static_cast<uint32_t>(m.declaredSize >= 0 ? m.declaredSize : static_cast<int64_t>(m.data.size()));
}

// Extended headers as they follow one another: type, data, next size.
std::string extendedHeaders(const std::vector<std::string>& headers) {
    std::string out;
    for (const std::string& h : headers) out += littleEndian(static_cast<uint32_t>(h.size() + 2), 2) + h;
    return out + littleEndian(0, 2);
}

std::string levelZeroOrOne(const CraftedMember& m, uint16_t dataCrc) {
    std::vector<std::string> ext;
    if (m.level == 1 && !m.folder.empty()) ext.push_back("\x02" + m.folder);
    if (m.level == 1 && m.unixMode >= 0) ext.push_back("\x50" + littleEndian(static_cast<uint32_t>(m.unixMode), 2));
    std::string extBytes = m.level == 1 ? extendedHeaders(ext).substr(2) : "";
    uint32_t packed = static_cast<uint32_t>(m.data.size() + extBytes.size());
    std::string h = m.method + littleEndian(packed, 4) + littleEndian(originalSize(m), 4) +
                    littleEndian(0, 4) + "\x20" + static_cast<char>(m.level) +
                    static_cast<char>(m.name.size()) + m.name + littleEndian(dataCrc, 2);
    if (m.level == 1) {
        h += m.os;
        // The first extended-header size closes the base header.
        h += ext.empty() ? littleEndian(0, 2) : littleEndian(static_cast<uint32_t>(ext[0].size() + 2), 2);
    }
    unsigned sum = 0;
    for (unsigned char c : h) sum += c;
    return std::string(1, static_cast<char>(h.size())) + static_cast<char>(sum & 0xFF) + h +
           (extBytes.empty() ? "" : extBytes);
}

std::string levelTwo(const CraftedMember& m, uint16_t dataCrc) {
    std::vector<std::string> ext = {std::string("\x00\x00\x00", 3)};  // header CRC, filled in below
    if (!m.name.empty()) ext.push_back("\x01" + m.name);
    if (!m.folder.empty()) ext.push_back("\x02" + m.folder);
    if (m.unixMode >= 0) ext.push_back("\x50" + littleEndian(static_cast<uint32_t>(m.unixMode), 2));
    std::string h = "??" + m.method + littleEndian(static_cast<uint32_t>(m.data.size()), 4) +
                    littleEndian(originalSize(m), 4) + littleEndian(0, 4) + "\x20\x02" +
                    littleEndian(dataCrc, 2) + m.os + extendedHeaders(ext);
    h.replace(0, 2, littleEndian(static_cast<uint32_t>(h.size()), 2));
    h.replace(27, 2, littleEndian(crcOf(h), 2));  // 24: size, 26: type 0, 27: the CRC
    return h;
}

}  // namespace

void MakeArchiveWithJlha(const std::filesystem::path& workDir, const std::filesystem::path& archive,
                         const std::string& options, const std::vector<std::string>& members) {
    // jlha is a Java program: it reads non-ASCII file names only in a UTF-8 locale.
    std::string command = "cd " + shellQuoted(workDir.string()) + " && LC_ALL=C.UTF-8 jlha a" + options + " " +
                          shellQuoted(archive.string());
    for (const std::string& m : members) command += " " + shellQuoted(m);
    command += " >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0 || std::filesystem::file_size(archive) <= 1)
        throw std::runtime_error("jlha failed: " + command);
}

std::string CraftArchive(const std::vector<CraftedMember>& members) {
    std::string out;
    for (const CraftedMember& m : members) {
        uint16_t crc = static_cast<uint16_t>(crcOf(m.data) + m.crcAdjust);
        out += (m.level == 2 ? levelTwo(m, crc) : levelZeroOrOne(m, crc)) + m.data;
    }
    return out + std::string(1, '\0');
}

void WriteBytes(const std::filesystem::path& file, const std::string& bytes) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out << bytes;
    if (!out) throw std::runtime_error("cannot write " + file.string());
}

std::string ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace testsupport
