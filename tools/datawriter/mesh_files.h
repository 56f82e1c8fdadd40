#pragma once
// Writes mesh description files and layer files as the authority ships them:
// Shift-JIS text, CR LF line ends, one mesh per folder (<root>/<MESH>/<MESH>.TXT
// with entries such as <MESH>\GYOUSEI\GYOUSEI.ARC). Used by the test fixtures
// and by orvelle-synth, so both produce files the same way.
#include <filesystem>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace meshfiles {

struct XY {
    double x = 0, y = 0;  // easting, northing
};

// Formats a number as the producer's files do: integers without a fraction,
// others with up to three decimals.
std::string formatCoord(double v);

// The header record of a layer file (11-field form).
std::string headerRecord(const std::string& recordedPath, XY origin, XY corner);

// Records, with coordinates written northing first. Texts are UTF-8.
std::string arcRecord(int code, int lineTag, int id, int vertexCount);
std::string vertexRecord(XY p);
std::string polygonRecord(int code, int id, int arcCount, XY rep);
std::string arcRefRecord(int ref);
std::string pointRecord(int code, int id, XY p);
std::string attributeRecord(char kind, int code, int targetId, const std::vector<std::string>& values);
std::string nodeRecord(int id, int tag, int arcCount, XY p);
std::string networkRecord(int arcId, int value1, int value2);

// The text of one file being built line by line: Shift-JIS bytes with CR LF
// after each line. Large generated files are built this way without holding
// a list of lines.
class FileText {
public:
    void add(std::string_view utf8Line);  // ASCII lines are copied as they are
    void addVertexRecord(XY p);           // vertexRecord(p), formatted in place
    const std::string& bytes() const { return bytes_; }
    std::size_t lineCount() const { return lines_; }
    void save(const std::filesystem::path& file) const;

private:
    std::string bytes_;
    std::size_t lines_ = 0;
};

// Writes UTF-8 lines as Shift-JIS with CR LF after each line (creating folders).
void writeLines(const std::filesystem::path& file, const std::vector<std::string>& utf8Lines);
// Writes bytes exactly as given (for broken-file fixtures).
void writeBytes(const std::filesystem::path& file, const std::string& bytes);

// The lines of a mesh description file.
struct Description {
    std::string meshName;      // line 5 and the file name
    int scale = 2500;
    int zone = 9;
    XY southWest, northEast;
    int datumFlag = 1;         // written in the ten-item form of line 7
    bool tenItemForm = true;
    std::vector<std::string> layerEntries;  // e.g. "53394611\\GYOUSEI\\GYOUSEI.ARC"
};
std::vector<std::string> descriptionLines(const Description& d);

// The description entry of a layer file of one layer group:
// layerEntry("53394611", "GYOUSEI", "ARC") is "53394611\\GYOUSEI\\GYOUSEI.ARC".
std::string layerEntry(const std::string& meshName, const std::string& group, const std::string& extension);
// Where an entry lives below the root folder of the meshes (the entry's
// backslashes become folder separators).
std::filesystem::path entryPath(const std::filesystem::path& root, const std::string& entry);
// Where the description file of a mesh lives: <root>/<MESH>/<MESH>.TXT.
std::filesystem::path descriptionPath(const std::filesystem::path& root, const std::string& meshName);

}  // namespace meshfiles
