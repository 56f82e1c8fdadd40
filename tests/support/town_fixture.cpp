#include "support/town_fixture.h"

#include <string>
#include <vector>

#include "support/mesh_fixture.h"

namespace testsupport {
namespace {

using meshfiles::XY;

// An arc record and its vertices.
void arc(std::vector<std::string>& records, int code, int tag, int id, const std::vector<XY>& vertices) {
    records.push_back(meshfiles::arcRecord(code, tag, id, static_cast<int>(vertices.size())));
    for (const XY& v : vertices) records.push_back(meshfiles::vertexRecord(v));
}

// A closed rectangular boundary arc.
void rectArc(std::vector<std::string>& records, int code, int id, XY min, XY max) {
    arc(records, code, 0, id, {min, {max.x, min.y}, max, {min.x, max.y}, min});
}

void polygon(std::vector<std::string>& records, int code, int id, int arcId, XY rep) {
    records.push_back(meshfiles::polygonRecord(code, id, 1, rep));
    records.push_back(meshfiles::arcRefRecord(arcId));
}

}  // namespace

std::filesystem::path writeTown(const std::filesystem::path& root) {
    MeshFixture m(root, "09LD1001");
    m.description().southWest = {0, 0};
    m.description().northEast = {200, 150};

    std::vector<std::string> boundaries, areas;
    rectArc(boundaries, 1105, 1, {0, 0}, {200, 150});
    rectArc(boundaries, 1106, 2, {10, 10}, {190, 140});
    rectArc(boundaries, 1108, 3, {20, 20}, {90, 60});
    rectArc(boundaries, 1108, 4, {110, 20}, {180, 60});
    polygon(areas, 1105, 1, 1, {100, 75});
    polygon(areas, 1106, 2, 2, {100, 15});
    polygon(areas, 1108, 3, 3, {55, 40});
    polygon(areas, 1108, 4, 4, {145, 40});
    m.layer("GYOUSEI\\GYOUSEI.ARC", boundaries);
    m.layer("GYOUSEI\\GYOUSEI.PGN", areas);
    m.layer("GYOUSEI\\GYOUSEI.ATR",
            {meshfiles::attributeRecord('A', 1105, 1, {"13101", u8"千代田区"}),
             meshfiles::attributeRecord('A', 1106, 2, {"13101", "001", u8"丸の内一丁目"}),
             meshfiles::attributeRecord('A', 1108, 3, {"13101", "001", u8"丸の内一丁目", "3"}),
             meshfiles::attributeRecord('A', 1108, 4, {"13101", "001", u8"丸の内一丁目", "5", "6"})});

    std::vector<std::string> roads;
    arc(roads, 2110, 0, 101, {{10, 75}, {100, 75}, {190, 75}});
    arc(roads, 2110, 0, 102, {{100, 80}, {100, 140}});
    arc(roads, 2110, 1, 103, {{120, 130}, {180, 130}});
    arc(roads, 2300, 0, 201, {{10, 120}, {190, 120}});
    m.layer("DOURO\\DOURO.ARC", roads);
    m.layer("DOURO\\DOURO.ATR", {meshfiles::attributeRecord('L', 2110, 101, {u8"中央通り"}),
                                 meshfiles::attributeRecord('L', 2300, 201, {u8"JR山手線", u8"山手線"})});

    // Ids are unique within the mesh: the attribute records find their features by id.
    std::vector<std::string> grounds, groundAreas;
    rectArc(grounds, 3001, 301, {30, 30}, {50, 50});
    rectArc(grounds, 6242, 302, {120, 85}, {180, 110});
    polygon(groundAreas, 3500, 11, 301, {40, 40});
    polygon(groundAreas, 6242, 12, 302, {150, 97});
    m.layer("TATEMONO\\TATEMONO.ARC", grounds);
    m.layer("TATEMONO\\TATEMONO.PGN", groundAreas);
    m.layer("TATEMONO\\TATEMONO.ATR",
            {meshfiles::attributeRecord('A', 3524, 11, {"3524", u8"千代田小学校"}),
             meshfiles::attributeRecord('A', 6242, 12, {u8"日比谷公園"})});

    m.layer("KIJUNTEN\\KIJUNTEN.PNT",
            {meshfiles::pointRecord(2420, 1, {40, 100}), meshfiles::pointRecord(7301, 2, {100, 65})});
    m.layer("KIJUNTEN\\KIJUNTEN.ATR",
            {meshfiles::attributeRecord('P', 2420, 1, {u8"東京"}),
             meshfiles::attributeRecord('P', 7301, 2,
                                        {"533946", "01", u8"丸の内", "NI-54-25-14-1", "354047", "1394549",
                                         "3", "9", "-35000.0", "-7000.0", "5.0", u8"余分"})});
    return m.write();
}

}  // namespace testsupport
