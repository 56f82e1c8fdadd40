#include "mesh_files.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <stdexcept>

#include "base/sjis.h"

namespace meshfiles {

std::string formatCoord(double v) {
    char buf[64];
    if (v == std::floor(v) && std::fabs(v) < 1e15)
        std::snprintf(buf, sizeof buf, "%.1f", v);
    else
        std::snprintf(buf, sizeof buf, "%.3f", v);
    return buf;
}

std::string headerRecord(const std::string& recordedPath, XY origin, XY corner) {
    return "FH,KDK,\"" + recordedPath + "\",1,1,1,1," + formatCoord(origin.y) + "," +
           formatCoord(origin.x) + "," + formatCoord(corner.y) + "," + formatCoord(corner.x);
}

std::string arcRecord(int code, int lineTag, int id, int vertexCount) {
    return "L" + std::to_string(code) + "," + std::to_string(lineTag) + "," + std::to_string(id) +
           "," + std::to_string(vertexCount);
}

std::string vertexRecord(XY p) { return formatCoord(p.y) + "," + formatCoord(p.x); }

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

void writeLines(const std::filesystem::path& file, const std::vector<std::string>& utf8Lines) {
    std::string bytes;
    for (const std::string& line : utf8Lines) {
        bytes += sjis::fromUtf8(line);
        bytes += "\r\n";
    }
    writeBytes(file, bytes);
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

}  // namespace meshfiles
