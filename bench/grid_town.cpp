#include "grid_town.h"

#include <string>
#include <vector>

#include "mesh_files.h"

namespace benchdata {
namespace {

using meshfiles::XY;

struct Layer {
    std::vector<std::string> arcs, polygons, attributes;
};

class Writer {
public:
    explicit Writer(const GridTown& t) : t_(t) {}

    void arc(std::vector<std::string>& out, int code, const std::vector<XY>& vertices) {
        out.push_back(meshfiles::arcRecord(code, 0, ++arcId_, static_cast<int>(vertices.size())));
        for (const XY& v : vertices) out.push_back(meshfiles::vertexRecord(v));
    }

    // A closed square-cornered ring with `perSide` vertices on each side.
    static std::vector<XY> ring(XY min, XY max, int perSide) {
        std::vector<XY> v;
        const XY corners[] = {min, {max.x, min.y}, max, {min.x, max.y}};
        for (int side = 0; side < 4; ++side) {
            const XY a = corners[side], b = corners[(side + 1) % 4];
            for (int i = 0; i < perSide; ++i) {
                const double f = static_cast<double>(i) / perSide;
                v.push_back({a.x + (b.x - a.x) * f, a.y + (b.y - a.y) * f});
            }
        }
        v.push_back(min);
        return v;
    }

    // A boundary arc and the polygon it closes, with an attribute record.
    void area(Layer& layer, int code, XY min, XY max, int perSide, const std::vector<std::string>& values) {
        arc(layer.arcs, code == 3500 ? 3001 : code, ring(min, max, perSide));
        const int polygonId = ++polygonId_;
        layer.polygons.push_back(
            meshfiles::polygonRecord(code, polygonId, 1, {(min.x + max.x) / 2, (min.y + max.y) / 2}));
        layer.polygons.push_back(meshfiles::arcRefRecord(arcId_));
        if (!values.empty()) layer.attributes.push_back(meshfiles::attributeRecord('A', code, polygonId, values));
    }

    void road(Layer& layer, XY a, XY b, bool named, const std::string& name) {
        const int n = t_.verticesPerRoad;
        auto piece = [&](double offset, int code) {
            const bool vertical = a.x == b.x;
            std::vector<XY> v;
            for (int i = 0; i < n; ++i) {
                const double f = static_cast<double>(i) / (n - 1);
                XY p{a.x + (b.x - a.x) * f, a.y + (b.y - a.y) * f};
                (vertical ? p.x : p.y) += offset;
                v.push_back(p);
            }
            arc(layer.arcs, code, v);
        };
        const double half = (t_.pitch - t_.blockSide) / 2;
        piece(0, 2110);
        if (named) layer.attributes.push_back(meshfiles::attributeRecord('L', 2110, arcId_, {name}));
        piece(-half, 2101);
        piece(half, 2101);
    }

    const GridTown& t_;
    int arcId_ = 0, polygonId_ = 0;
};

}  // namespace

std::filesystem::path WriteGridTown(const std::filesystem::path& root, const GridTown& t) {
    const std::string mesh = "09LD9999";
    const double width = t.blocksX * t.pitch + (t.pitch - t.blockSide);
    const double height = t.blocksY * t.pitch + (t.pitch - t.blockSide);
    const double road = t.pitch - t.blockSide;
    Writer w(t);
    Layer admin, roads, buildings;

    w.area(admin, 1105, {0, 0}, {width, height}, 50, {"13101", u8"千代田区"});
    for (int cy = 0; cy * 5 < t.blocksY; ++cy)
        for (int cx = 0; cx * 5 < t.blocksX; ++cx) {
            const XY min{road / 2 + cx * 5 * t.pitch, road / 2 + cy * 5 * t.pitch};
            const std::string name = u8"丸の内" + std::to_string(cy * 100 + cx) + u8"丁目";
            const std::string code = std::to_string(cy * 100 + cx);
            w.area(admin, 1106, min, {min.x + 5 * t.pitch, min.y + 5 * t.pitch}, 50, {"13101", code, name});
            for (int by = 0; by < 5 && cy * 5 + by < t.blocksY; ++by)
                for (int bx = 0; bx < 5 && cx * 5 + bx < t.blocksX; ++bx) {
                    const XY b{road + (cx * 5 + bx) * t.pitch, road + (cy * 5 + by) * t.pitch};
                    const XY bmax{b.x + t.blockSide, b.y + t.blockSide};
                    w.area(admin, 1108, b, bmax, t.verticesPerBlockSide,
                           {"13101", code, name, std::to_string(by * 5 + bx + 1)});
                    const double s = t.blockSide / 2;
                    for (int q = 0; q < 4; ++q) {
                        const XY m{b.x + (q % 2) * s + 3, b.y + (q / 2) * s + 3};
                        w.area(buildings, 3500, m, {m.x + s - 6, m.y + s - 6}, 1, {});
                    }
                }
        }
    for (int i = 0; i <= t.blocksX; ++i)
        for (int j = 0; j < t.blocksY; ++j) {
            const double x = road / 2 + i * t.pitch;
            w.road(roads, {x, road / 2 + j * t.pitch}, {x, road / 2 + (j + 1) * t.pitch}, i % 5 == 0,
                   u8"南北通り" + std::to_string(i));
        }
    for (int j = 0; j <= t.blocksY; ++j)
        for (int i = 0; i < t.blocksX; ++i) {
            const double y = road / 2 + j * t.pitch;
            w.road(roads, {road / 2 + i * t.pitch, y}, {road / 2 + (i + 1) * t.pitch, y}, j % 5 == 0,
                   u8"東西通り" + std::to_string(j));
        }

    meshfiles::Description d;
    d.meshName = mesh;
    d.southWest = {0, 0};
    d.northEast = {width, height};
    auto write = [&](const std::string& relative, const std::vector<std::string>& records) {
        std::vector<std::string> lines{meshfiles::headerRecord(mesh + "\\" + relative, {}, {})};
        lines.insert(lines.end(), records.begin(), records.end());
        std::string path = relative;
        for (char& c : path)
            if (c == '\\') c = '/';
        meshfiles::writeLines(root / mesh / path, lines);
        d.layerEntries.push_back(mesh + "\\" + relative);
    };
    write("GYOUSEI\\GYOUSEI.ARC", admin.arcs);
    write("GYOUSEI\\GYOUSEI.PGN", admin.polygons);
    write("GYOUSEI\\GYOUSEI.ATR", admin.attributes);
    write("DOURO\\DOURO.ARC", roads.arcs);
    write("DOURO\\DOURO.ATR", roads.attributes);
    write("TATEMONO\\TATEMONO.ARC", buildings.arcs);
    write("TATEMONO\\TATEMONO.PGN", buildings.polygons);
    const std::filesystem::path description = root / mesh / (mesh + ".TXT");
    meshfiles::writeLines(description, meshfiles::descriptionLines(d));
    return description;
}

}  // namespace benchdata
