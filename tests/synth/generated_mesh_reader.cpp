#include "generated_mesh_reader.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "base/sjis.h"

namespace synthtest {
namespace {

std::string readBytes(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    if (!in) throw FormatError("cannot open " + p.string());
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Lines ended by CR LF, as the generator writes them; anything else is an error.
std::vector<std::string> crlfLines(const std::string& bytes, const std::string& name) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos) throw FormatError(name + ": last line without CR LF");
        lines.push_back(sjis::toUtf8(bytes.substr(start, end - start)));
        start = end + 2;
    }
    return lines;
}

// A number that fills the whole field, or FormatError.
template <typename Convert>
auto number(const std::string& s, const std::string& where, const char* what, Convert convert) {
    std::size_t used = 0;
    decltype(convert(s, &used)) v{};
    try {
        v = convert(s, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used != s.size() || s.empty()) throw FormatError(where + ": not " + what + ": '" + s + "'");
    return v;
}

int toInt(const std::string& s, const std::string& where) {
    return number(s, where, "an integer", [](const std::string& t, std::size_t* used) { return std::stoi(t, used); });
}

double toReal(const std::string& s, const std::string& where) {
    return number(s, where, "a number", [](const std::string& t, std::size_t* used) { return std::stod(t, used); });
}

int code(const std::string& field, char kind, const std::string& where) {
    if (field.empty() || field[0] != kind) throw FormatError(where + ": expected a " + std::string(1, kind) + " record");
    return toInt(field.substr(1), where);
}

struct LayerFile {
    std::vector<std::vector<std::string>> records;
    XY origin;
};

LayerFile readLayer(const std::filesystem::path& p, const std::string& entry, MeshRec& mesh) {
    const std::string bytes = readBytes(p);
    ++mesh.files;
    mesh.bytes += bytes.size();
    const std::vector<std::string> lines = crlfLines(bytes, entry);
    if (lines.empty()) throw FormatError(entry + ": no header");
    const std::vector<std::string> h = splitFields(lines[0]);
    if (h.size() != 11 || h[0] != "FH" || h[2] != entry) throw FormatError(entry + ": bad header " + lines[0]);
    LayerFile f;
    f.origin = {toReal(h[8], entry), toReal(h[7], entry)};
    for (std::size_t i = 1; i < lines.size(); ++i) f.records.push_back(splitFields(lines[i]));
    return f;
}

std::string at(const std::string& entry, std::size_t line) { return entry + "(" + std::to_string(line + 2) + ")"; }

void readArcs(const LayerFile& f, const std::string& e, MeshRec& m) {
    for (std::size_t i = 0; i < f.records.size(); ++i) {
        const auto& r = f.records[i];
        if (!r.empty() && !r[0].empty() && r[0][0] == 'L') {
            if (r.size() != 4) throw FormatError(at(e, i) + ": arc record of " + std::to_string(r.size()) + " fields");
            m.arcs.push_back({code(r[0], 'L', at(e, i)), toInt(r[1], at(e, i)), toInt(r[2], at(e, i)),
                              toInt(r[3], at(e, i)), {}});
        } else {
            if (r.size() != 2 || m.arcs.empty()) throw FormatError(at(e, i) + ": bad vertex record");
            m.arcs.back().pts.push_back({f.origin.x + toReal(r[1], at(e, i)), f.origin.y + toReal(r[0], at(e, i))});
        }
    }
}

void readPolygons(const LayerFile& f, const std::string& e, MeshRec& m) {
    for (std::size_t i = 0; i < f.records.size(); ++i) {
        const auto& r = f.records[i];
        if (!r.empty() && !r[0].empty() && r[0][0] == 'A') {
            if (r.size() != 5) throw FormatError(at(e, i) + ": polygon record of " + std::to_string(r.size()) + " fields");
            m.polygons.push_back({code(r[0], 'A', at(e, i)), toInt(r[1], at(e, i)), toInt(r[2], at(e, i)),
                                  {f.origin.x + toReal(r[4], at(e, i)), f.origin.y + toReal(r[3], at(e, i))}, {}});
        } else {
            if (r.size() != 1 || m.polygons.empty()) throw FormatError(at(e, i) + ": bad arc reference record");
            m.polygons.back().refs.push_back(toInt(r[0], at(e, i)));
        }
    }
}

void readPoints(const LayerFile& f, const std::string& e, MeshRec& m) {
    for (std::size_t i = 0; i < f.records.size(); ++i) {
        const auto& r = f.records[i];
        if (r.size() != 4) throw FormatError(at(e, i) + ": bad point record");
        m.points.push_back({code(r[0], 'P', at(e, i)), toInt(r[1], at(e, i)),
                            {f.origin.x + toReal(r[3], at(e, i)), f.origin.y + toReal(r[2], at(e, i))}});
    }
}

void readAttributes(const LayerFile& f, const std::string& e, MeshRec& m) {
    for (std::size_t i = 0; i < f.records.size(); ++i) {
        const auto& r = f.records[i];
        if (r.size() < 3 || r[0].empty()) throw FormatError(at(e, i) + ": bad attribute record");
        AttributeRec a{r[0][0], code(r[0], r[0][0], at(e, i)), toInt(r[1], at(e, i)), {}};
        a.values.assign(r.begin() + 3, r.end());
        m.attributes.push_back(std::move(a));
    }
}

void readNodes(const LayerFile& f, const std::string& e, MeshRec& m) {
    for (std::size_t i = 0; i < f.records.size(); ++i) {
        const auto& r = f.records[i];
        if (r.size() == 5) {
            m.nodes.push_back({toInt(r[0], at(e, i)), toInt(r[1], at(e, i)), toInt(r[2], at(e, i)),
                               {f.origin.x + toReal(r[4], at(e, i)), f.origin.y + toReal(r[3], at(e, i))}, {}});
        } else {
            if (r.size() != 1 || m.nodes.empty()) throw FormatError(at(e, i) + ": bad node record");
            m.nodes.back().refs.push_back(toInt(r[0], at(e, i)));
        }
    }
}

void readLinks(const LayerFile& f, const std::string& e, MeshRec& m) {
    for (std::size_t i = 0; i < f.records.size(); ++i) {
        const auto& r = f.records[i];
        if (r.size() != 3) throw FormatError(at(e, i) + ": bad network record");
        m.links.push_back({toInt(r[0], at(e, i)), toInt(r[1], at(e, i)), toInt(r[2], at(e, i))});
    }
}

MeshRec readMesh(const std::filesystem::path& root, const std::string& name) {
    MeshRec m;
    m.name = name;
    const std::filesystem::path txt = root / name / (name + ".TXT");
    const std::string bytes = readBytes(txt);
    ++m.files;
    m.bytes += bytes.size();
    m.descriptionLines = crlfLines(bytes, txt.string());
    if (m.descriptionLines.size() < 9) throw FormatError(txt.string() + ": fewer than nine lines");
    const std::vector<std::string> sheet = splitFields(m.descriptionLines[6]);
    if (sheet.size() != 10) throw FormatError(txt.string() + ": line 7 has " + std::to_string(sheet.size()) + " items");
    m.southWest = {toReal(sheet[2], "line 7"), toReal(sheet[1], "line 7")};
    m.northEast = {toReal(sheet[4], "line 7"), toReal(sheet[3], "line 7")};
    m.entries.assign(m.descriptionLines.begin() + 9, m.descriptionLines.end());
    // Arcs first, attributes last, as the viewer reads them.
    for (int pass = 0; pass < 3; ++pass)
        for (const std::string& e : m.entries) {
            const std::string kind = e.substr(e.rfind('.') + 1);
            const bool wanted = pass == 0 ? kind == "ARC" : pass == 2 ? kind == "ATR" : kind != "ARC" && kind != "ATR";
            if (!wanted) continue;
            std::filesystem::path p = root;
            std::stringstream parts(e);
            for (std::string part; std::getline(parts, part, '\\');) p /= part;
            const LayerFile f = readLayer(p, e, m);
            if (kind == "ARC") readArcs(f, e, m);
            else if (kind == "PGN") readPolygons(f, e, m);
            else if (kind == "PNT") readPoints(f, e, m);
            else if (kind == "ATR") readAttributes(f, e, m);
            else if (kind == "NOD") readNodes(f, e, m);
            else if (kind == "TIE") readLinks(f, e, m);
            else throw FormatError("unexpected entry " + e);
        }
    m.index();
    return m;
}

template <typename T>
void indexIds(const std::vector<T>& list, std::unordered_map<int, std::size_t>& at) {
    at.clear();
    for (std::size_t i = 0; i < list.size(); ++i) at.try_emplace(list[i].id, i);
}

template <typename T>
const T* byId(const std::vector<T>& list, const std::unordered_map<int, std::size_t>& at, int id) {
    const auto found = at.find(id);
    return found == at.end() ? nullptr : &list[found->second];
}

}  // namespace

void MeshRec::index() {
    indexIds(arcs, arcAt_);
    indexIds(polygons, polygonAt_);
    indexIds(points, pointAt_);
    indexIds(nodes, nodeAt_);
}

const ArcRec* MeshRec::arc(int id) const { return byId(arcs, arcAt_, id); }
const PolygonRec* MeshRec::polygon(int id) const { return byId(polygons, polygonAt_, id); }
const PointRec* MeshRec::point(int id) const { return byId(points, pointAt_, id); }
const NodeRec* MeshRec::node(int id) const { return byId(nodes, nodeAt_, id); }

std::vector<std::string> splitFields(const std::string& line) {
    std::vector<std::string> out;
    std::string field;
    bool quoted = false;
    for (char c : line) {
        if (c == '"') quoted = !quoted;
        else if (c == ',' && !quoted) {
            out.push_back(field);
            field.clear();
        } else
            field += c;
    }
    out.push_back(field);
    return out;
}

std::vector<MeshRec> readMeshes(const std::filesystem::path& root) {
    std::vector<std::string> names;
    for (const auto& d : std::filesystem::directory_iterator(root))
        if (d.is_directory()) names.push_back(d.path().filename().string());
    std::sort(names.begin(), names.end());
    std::vector<MeshRec> meshes;
    for (const std::string& n : names) meshes.push_back(readMesh(root, n));
    return meshes;
}

std::vector<XY> polygonRing(const MeshRec& mesh, const PolygonRec& p) {
    std::vector<XY> ring;
    for (int r : p.refs) {
        const ArcRec* a = r == 0 ? nullptr : mesh.arc(std::abs(r));
        if (!a) throw FormatError(mesh.name + ": polygon " + std::to_string(p.id) + " names missing arc " + std::to_string(r));
        std::vector<XY> pts = a->pts;
        if (r < 0) std::reverse(pts.begin(), pts.end());
        for (const XY& v : pts)
            if (ring.empty() || !(ring.back() == v)) ring.push_back(v);
    }
    return ring;
}

double ringArea(const std::vector<XY>& ring) {
    double twice = 0;
    for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++)
        twice += (ring[j].x - ring[i].x) * (ring[j].y + ring[i].y);
    return twice / 2;
}

bool insideRing(const std::vector<XY>& ring, XY p) {
    bool inside = false;
    for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++)
        if ((ring[i].y > p.y) != (ring[j].y > p.y) &&
            p.x < ring[i].x + (ring[j].x - ring[i].x) * (p.y - ring[i].y) / (ring[j].y - ring[i].y))
            inside = !inside;
    return inside;
}

std::map<std::string, std::string> fileContents(const std::filesystem::path& root) {
    std::map<std::string, std::string> files;
    for (const auto& f : std::filesystem::recursive_directory_iterator(root))
        if (f.is_regular_file()) files[std::filesystem::relative(f.path(), root).string()] = readBytes(f.path());
    return files;
}

}  // namespace synthtest
