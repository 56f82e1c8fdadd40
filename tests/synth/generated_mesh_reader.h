#pragma once
// A small reader of the generated meshes, independent of the map reader,
// so that the tests can check what orvelle-synth wrote: every layer file a
// description lists, parsed into plain records with absolute coordinates.
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <vector>

namespace synthtest {

struct XY {
    double x = 0, y = 0;
    bool operator==(const XY&) const = default;
};

struct ArcRec {
    int code = 0, tag = 0, id = 0, declared = 0;
    std::vector<XY> pts;
};
struct PolygonRec {
    int code = 0, id = 0, declared = 0;
    XY rep;
    std::vector<int> refs;
};
struct PointRec {
    int code = 0, id = 0;
    XY pos;
};
struct AttributeRec {
    char kind = 0;
    int code = 0, target = 0;
    std::vector<std::string> values;  // UTF-8
};
struct NodeRec {
    int id = 0, tag = 0, declared = 0;
    XY pos;
    std::vector<int> refs;
};
struct LinkRec {
    int arc = 0, from = 0, to = 0;
};

struct MeshRec {
    std::string name;
    std::vector<std::string> descriptionLines;  // UTF-8
    std::vector<std::string> entries;
    XY southWest, northEast;
    std::vector<ArcRec> arcs;
    std::vector<PolygonRec> polygons;
    std::vector<PointRec> points;
    std::vector<AttributeRec> attributes;
    std::vector<NodeRec> nodes;
    std::vector<LinkRec> links;
    std::size_t files = 0, bytes = 0;

    // Lookups by id; the first record of an id, as the viewer finds it.
    const ArcRec* arc(int id) const;
    const PolygonRec* polygon(int id) const;
    const PointRec* point(int id) const;
    const NodeRec* node(int id) const;

    void index();  // builds the lookups once the records are read

private:
    std::unordered_map<int, std::size_t> arcAt_, polygonAt_, pointAt_, nodeAt_;
};

// What the reader could not accept.
class FormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads every <root>/<MESH>/<MESH>.TXT with its layer files, in name order.
std::vector<MeshRec> readMeshes(const std::filesystem::path& root);

// Comma-separated fields; a field in double quotes keeps its commas.
std::vector<std::string> splitFields(const std::string& line);

// The outline a polygon's references give: the arcs' vertices in order,
// each arc reversed for a negative reference, a vertex equal to the one
// before it dropped. Throws FormatError for a reference to a missing arc.
std::vector<XY> polygonRing(const MeshRec& mesh, const PolygonRec& p);

double ringArea(const std::vector<XY>& ring);  // signed, counter-clockwise positive
bool insideRing(const std::vector<XY>& ring, XY p);

// Every file below root, with its bytes, by relative path.
std::map<std::string, std::string> fileContents(const std::filesystem::path& root);

}  // namespace synthtest
