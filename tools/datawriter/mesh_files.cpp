#include "mesh_files.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <stdexcept>

#include "base/sjis.h"

namespace meshfiles {

namespace {

// Appends a coordinate as formatCoord writes it; the record formatters build
// their text in place because generated files hold millions of vertices.
void appendCoord(std::string& out, double v) {
    char buf[400];  // room for any double in fixed notation
    const int decimals = (v == std::floor(v) && std::fabs(v) < 1e15) ? 1 : 3;
    const auto result = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
    out.append(buf, result.ptr);
}

void appendVertex(std::string& out, XY p) {
    appendCoord(out, p.y);
    out += ',';
    appendCoord(out, p.x);
}

bool isAscii(std::string_view s) {
    for (unsigned char c : s)
        if (c >= 0x80) return false;
    return true;
}

}  // namespace

std::string formatCoord(double v) {
    std::string out;
    appendCoord(out, v);
    return out;
}

std::string headerRecord(const std::string& recordedPath, XY origin, XY corner) {
    return "FH,KDK,\"" + recordedPath + "\",1,1,1,1," + formatCoord(origin.y) + "," +
           formatCoord(origin.x) + "," + formatCoord(corner.y) + "," + formatCoord(corner.x);
}

std::string arcRecord(int code, int lineTag, int id, int vertexCount) {
    return "L" + std::to_string(code) + "," + std::to_string(lineTag) + "," + std::to_string(id) +
           "," + std::to_string(vertexCount);
}

std::string vertexRecord(XY p) {
    std::string out;
    appendVertex(out, p);
    return out;
}

std::string polygonRecord(int code, int id, int arcCount, XY rep) {
    return "A" + std::to_string(code) + "," + std::to_string(id) + "," + std::to_string(arcCount) +
           "," + formatCoord(rep.y) + "," + formatCoord(rep.x);
}

std::string arcRefRecord(int ref) { return std::to_string(ref); }

std::string pointRecord(int code, int id, XY p) {
    return "P" + std::to_string(code) + "," + std::to_string(id) + "," + formatCoord(p.y) + "," +
           formatCoord(p.x);
}

std::string attributeRecord(char kind, int code, int targetId, const std::vector<std::string>& values) {
    std::string line = std::string(1, kind) + std::to_string(code) + "," + std::to_string(targetId) + ",0";
    for (const std::string& v : values) line += "," + v;
    return line;
}

std::string nodeRecord(int id, int tag, int arcCount, XY p) {
    return std::to_string(id) + "," + std::to_string(tag) + "," + std::to_string(arcCount) + "," +
           formatCoord(p.y) + "," + formatCoord(p.x);
}

std::string networkRecord(int arcId, int value1, int value2) {
    return std::to_string(arcId) + "," + std::to_string(value1) + "," + std::to_string(value2);
}

void writeBytes(const std::filesystem::path& file, const std::string& bytes) {
    if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + file.string());
}

void FileText::add(std::string_view utf8Line) {
    if (isAscii(utf8Line))
        bytes_.append(utf8Line);
    else
        bytes_ += sjis::fromUtf8(utf8Line);
    bytes_ += "\r\n";
    ++lines_;
}

void FileText::addVertexRecord(XY p) {
    appendVertex(bytes_, p);
    bytes_ += "\r\n";
    ++lines_;
}

void FileText::save(const std::filesystem::path& file) const { writeBytes(file, bytes_); }

void writeLines(const std::filesystem::path& file, const std::vector<std::string>& utf8Lines) {
    FileText text;
    for (const std::string& line : utf8Lines) text.add(line);
    text.save(file);
}

std::vector<std::string> descriptionLines(const Description& d) {
    std::vector<std::string> lines = {
        u8"空間データ基盤",
        u8"数値地図2500(空間データ基盤)",
        u8"国土地理院",
        u8"2000",
        d.meshName,
        std::to_string(d.scale),
    };
    std::string sheet = std::to_string(d.zone) + "," + formatCoord(d.southWest.y) + "," +
                        formatCoord(d.southWest.x) + "," + formatCoord(d.northEast.y) + "," +
                        formatCoord(d.northEast.x);
    if (d.tenItemForm)
        sheet += "," + formatCoord(d.northEast.y) + "," + formatCoord(d.southWest.x) + "," +
                 formatCoord(d.southWest.y) + "," + formatCoord(d.northEast.x) + "," +
                 std::to_string(d.datumFlag);
    lines.push_back(sheet);
    lines.push_back("2002");
    lines.push_back("1,1,1");
    for (const std::string& e : d.layerEntries) lines.push_back(e);
    return lines;
}

std::string layerEntry(const std::string& meshName, const std::string& group, const std::string& extension) {
    return meshName + "\\" + group + "\\" + group + "." + extension;
}

std::filesystem::path entryPath(const std::filesystem::path& root, const std::string& entry) {
    std::filesystem::path p = root;
    std::size_t start = 0;
    while (start <= entry.size()) {
        std::size_t end = entry.find('\\', start);
        if (end == std::string::npos) end = entry.size();
        if (end > start) p /= entry.substr(start, end - start);
        start = end + 1;
    }
    return p;
}

std::filesystem::path descriptionPath(const std::filesystem::path& root, const std::string& meshName) {
    return root / meshName / (meshName + ".TXT");
}

}  // namespace meshfiles
