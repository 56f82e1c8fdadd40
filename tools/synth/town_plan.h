#pragma once
// The layout of the whole synthetic municipality, before it is cut into
// meshes: the straight road grid whose lines run across all sheets, the
// river and railway corridors that replace a row and a column of blocks, the
// municipality's outline (along the outermost roads, bulging outward between
// them), the chome grid and its towns, and every name. Mesh content is built
// from this plan one sheet at a time (mesh_builder.h).
//
// Coordinates are centimetres from the south-west corner of the map (the
// south-west corner of its first sheet).
#include <cstdint>
#include <string>
#include <vector>

#include "geometry.h"

namespace synth {

struct PlanParams {
    int cols = 2;            // sheets from west to east
    int rows = 1;            // sheets from south to north
    int blocksPerSide = 16;  // road lines across each sheet, per direction
    std::uint64_t seed = 1;
};

constexpr Cm kSheetWidth = 2000 * kCmPerMetre;   // east-west
constexpr Cm kSheetHeight = 1500 * kCmPerMetre;  // north-south

struct RoadLine {
    Cm pos = 0;     // x of a north-south line, y of an east-west line
    Cm width = 0;   // road surface width
    std::string name, alias;  // empty for unnamed roads
    bool bridge = false;      // north-south lines only: crosses the river
};

enum class Side { South, East, North, West };

struct Town {
    std::string name;
    int code = 0;
};

struct Chome {
    int town = 0;
    int number = 0;       // 一丁目 is 1
    std::string code;     // town code and chome number, "004002"
    std::string name;     // "桜台二丁目"
};

struct Station {
    Pt pos;
    std::string name;
};

class TownPlan {
public:
    explicit TownPlan(const PlanParams& params);

    const PlanParams& params() const { return params_; }
    Cm mapWidth() const { return kSheetWidth * params_.cols; }
    Cm mapHeight() const { return kSheetHeight * params_.rows; }
    // Absolute plane coordinates (cm) of the map's south-west corner.
    Pt origin() const { return origin_; }
    Rect sheetRect(int col, int row) const;
    const std::string& meshName(int col, int row) const;

    // Road grid. Cell (i, j) lies between north-south lines i and i + 1 and
    // east-west lines j and j + 1.
    const std::vector<RoadLine>& northSouthRoads() const { return vlines_; }
    const std::vector<RoadLine>& eastWestRoads() const { return hlines_; }
    int cellCols() const { return static_cast<int>(vlines_.size()) - 1; }
    int cellRows() const { return static_cast<int>(hlines_.size()) - 1; }
    Rect cellRect(int i, int j) const;         // between the centre lines
    Rect roadEdgeRect(int i, int j) const;      // inside the road surfaces
    Rect blockRect(int i, int j) const;         // the block, set back from the road edge
    // Calls fn(i, j) for every cell that reaches into a box, row by row from the south.
    template <typename Fn>
    void forEachCell(const Rect& box, Fn&& fn) const {
        int i0, i1, j0, j1;
        cellRange(box, i0, i1, j0, j1);
        for (int j = j0; j < j1; ++j)
            for (int i = i0; i < i1; ++i) fn(i, j);
    }

    int riverRow() const { return riverRow_; }            // -1 without a river
    int railwayCol() const { return railCol_; }           // -1 without a railway
    int expresswayLine() const { return expresswayLine_; } // east-west line index, -1 without
    bool isCorridorCell(int i, int j) const { return i == railCol_ || j == riverRow_; }
    Rect riverZone() const;   // the river's area, from the west to the east boundary
    Cm railwayX() const;

    // The municipality: the rectangle of the outermost road centre lines,
    // with its boundary pushed outward between the corners.
    Rect municipalityFrame() const;
    // Outward offset of the boundary at a position along a side (x for the
    // south and north sides, y for the west and east sides); 0 at the corners.
    Cm boundaryOffset(Side side, Cm along) const;
    // Sample positions of the boundary strictly between two positions along a side.
    std::vector<Cm> boundarySamples(Side side, Cm from, Cm to) const;
    // The boundary point at a position along a side.
    Pt boundaryPoint(Side side, Cm along) const;

    // Chome grid: chome boundaries run along road centre lines.
    const std::vector<int>& chomeColumnLines() const { return chomeCols_; }  // indices into the north-south roads
    const std::vector<int>& chomeRowLines() const { return chomeRows_; }
    int chomeOfCell(int i, int j) const;           // index into chomes()
    int chomeAt(Pt p) const;                        // chome holding a point of the municipality
    const std::vector<Chome>& chomes() const { return chome_; }
    const std::vector<Town>& towns() const { return towns_; }
    // Cells of a chome: columns [i0, i1) and rows [j0, j1).
    void chomeCells(int chome, int& i0, int& i1, int& j0, int& j1) const;

    const std::string& adminCode() const { return adminCode_; }          // "13105"
    const std::string& municipalityName() const { return municipality_; } // "若葉区"
    const std::string& riverName() const { return river_; }
    const std::string& railwayName() const { return railway_; }
    const std::string& railwayAlias() const { return railwayAlias_; }
    const std::string& expresswayName() const { return expressway_; }
    const std::vector<Station>& stations() const { return stations_; }
    // The block of the town hall: the block nearest the municipality's centre.
    int townHallCol() const { return hallCol_; }
    int townHallRow() const { return hallRow_; }

private:
    // First cell column and row whose cells reach into a box, and one past the last.
    void cellRange(const Rect& box, int& i0, int& i1, int& j0, int& j1) const;
    void layRoads();
    void chooseCorridors();
    void nameRoutes();
    void divideChomes();
    void nameMunicipality();
    void placeStations();
    void placeTownHall();
    void nameMeshes();
    std::vector<int> chomeLines(int lineCount, Cm cellSize, std::int64_t key) const;
    Cm sideStart(Side side) const;
    Cm sideEnd(Side side) const;
    Cm samplePosition(Side side, std::int64_t k) const;
    Cm sampleOffset(Side side, std::int64_t k) const;

    PlanParams params_;
    Pt origin_;
    std::vector<RoadLine> vlines_, hlines_;
    int riverRow_ = -1, railCol_ = -1, expresswayLine_ = -1;
    std::vector<int> chomeCols_, chomeRows_;
    std::vector<int> cellChomeCol_, cellChomeRow_;
    std::vector<Chome> chome_;
    std::vector<Town> towns_;
    std::string adminCode_, municipality_, river_, railway_, railwayAlias_, expressway_;
    std::vector<Station> stations_;
    std::vector<std::string> meshNames_;
    int hallCol_ = 0, hallRow_ = 0;
    Cm boundaryStep_ = 3000;
};

}  // namespace synth
