#include "town_plan.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>
#include <stdexcept>

#include "geodesy.h"
#include "names.h"
#include "random.h"

namespace synth {
namespace {

constexpr Cm kOrdinaryRoadMin = 400, kOrdinaryRoadMax = 800;
constexpr Cm kStreetMin = 1200, kStreetMax = 1600;
constexpr Cm kNationalMin = 2200, kNationalMax = 3000;
constexpr Cm kExpresswayGround = 2800;
constexpr Cm kChomeTargetSize = 350 * kCmPerMetre;

Cm roundTo10(double v) { return static_cast<Cm>(std::llround(v / 10.0)) * 10; }

// Road lines at the middle of each of K equal cells of every sheet, moved a
// little so that the grid is not perfectly regular. Sheet edges thus always
// fall inside a row or column of blocks, never onto a road.
std::vector<RoadLine> roadLines(int count, Cm sheetSize, int perSheet, Cm maxWidth, std::uint64_t seed,
                                std::int64_t axis) {
    std::vector<RoadLine> lines(static_cast<std::size_t>(count));
    const Cm cell = sheetSize / perSheet;
    for (int i = 0; i < count; ++i) {
        Rng rng(seed, Draw::RoadLine, {axis, i});
        RoadLine& l = lines[static_cast<std::size_t>(i)];
        l.pos = (static_cast<Cm>(2 * i + 1) * sheetSize) / (2 * perSheet) +
                static_cast<Cm>(std::llround(rng.range(-0.12, 0.12) * static_cast<double>(cell)));
        l.width = std::min(roundTo10(rng.range(kOrdinaryRoadMin, kOrdinaryRoadMax)), maxWidth);
    }
    return lines;
}

int clampInt(int v, int lo, int hi) { return std::max(lo, std::min(v, hi)); }

}  // namespace

TownPlan::TownPlan(const PlanParams& params) : params_(params) {
    if (params_.cols < 1 || params_.rows < 1 || params_.blocksPerSide < 2)
        throw std::invalid_argument("a map needs at least one sheet and two roads per sheet side");
    origin_ = {(-10000 - 2000 * (params_.cols / 2)) * kCmPerMetre,
               (-37500 - 1500 * (params_.rows / 2)) * kCmPerMetre};
    layRoads();
    chooseCorridors();
    nameMunicipality();
    divideChomes();
    nameRoutes();
    placeStations();
    placeTownHall();
    nameMeshes();
}

void TownPlan::layRoads() {
    const int k = params_.blocksPerSide;
    const Cm cw = kSheetWidth / k, ch = kSheetHeight / k;
    const Cm maxWidth = std::max<Cm>(100, static_cast<Cm>(0.3 * static_cast<double>(std::min(cw, ch))));
    vlines_ = roadLines(params_.cols * k, kSheetWidth, k, maxWidth, params_.seed, 0);
    hlines_ = roadLines(params_.rows * k, kSheetHeight, k, maxWidth, params_.seed, 1);
    boundaryStep_ = std::clamp<Cm>(std::min(cw, ch) / 4, 500, 3000);
}

void TownPlan::chooseCorridors() {
    Rng rng(params_.seed, Draw::Corridor, {});
    const int cols = cellCols(), rows = cellRows();
    const int k = params_.blocksPerSide;
    // The corridors keep clear of the cells that a sheet edge runs through,
    // so that no edge cuts along the railway or along the river.
    auto pick = [&](int cells, double lo, double hi) {
        if (cells < 3) return -1;
        const int wanted = clampInt(static_cast<int>(rng.range(lo, hi) * cells), 1, cells - 2);
        for (int d = 0; d < cells; ++d)
            for (int c : {wanted + d, wanted - d})
                if (c >= 1 && c <= cells - 2 && c % k != k - 1) return c;
        return -1;
    };
    railCol_ = pick(cols, 0.35, 0.65);
    riverRow_ = pick(rows, 0.3, 0.5);
    const int lines = static_cast<int>(hlines_.size());
    if (lines >= 5) {
        int j = clampInt(static_cast<int>(0.75 * lines), 1, lines - 2);
        for (int tries = 0; tries < lines && (j == riverRow_ || j == riverRow_ + 1); ++tries)
            j = j + 1 <= lines - 2 ? j + 1 : 1;
        if (j != riverRow_ && j != riverRow_ + 1) expresswayLine_ = j;
    }
}

void TownPlan::nameMunicipality() {
    // Prefectures that lie in plane rectangular coordinate system IX.
    static const int prefectures[] = {7, 8, 9, 10, 11, 12, 13, 13, 13, 14};
    Rng rng(params_.seed, Draw::Names, {10});
    const int pref = prefectures[rng.below(10)];
    const bool ward = pref == 13 && rng.chance(0.6);
    const int number = ward ? 101 + rng.below(23) : 201 + rng.below(30);
    char code[16];
    std::snprintf(code, sizeof code, "%02d%03d", pref, number);
    adminCode_ = code;
    municipality_ = municipalityStem(params_.seed) + (ward ? "区" : "市");
}

std::vector<int> TownPlan::chomeLines(int lineCount, Cm cellSize, std::int64_t key) const {
    const int last = lineCount - 1;
    const int target = std::max(1, static_cast<int>(std::llround(static_cast<double>(kChomeTargetSize) /
                                                                 static_cast<double>(cellSize))));
    Rng rng(params_.seed, Draw::Chome, {key});
    std::vector<int> out{0};
    int at = 0;
    while (true) {
        const int step = std::max(1, target - 1 + rng.below(3));
        if (at + step >= last || last - (at + step) < std::max(1, target / 2)) {
            out.push_back(last);
            break;
        }
        at += step;
        out.push_back(at);
    }
    return out;
}

void TownPlan::divideChomes() {
    const int k = params_.blocksPerSide;
    chomeCols_ = chomeLines(static_cast<int>(vlines_.size()), kSheetWidth / k, 0);
    chomeRows_ = chomeLines(static_cast<int>(hlines_.size()), kSheetHeight / k, 1);
    cellChomeCol_.assign(static_cast<std::size_t>(cellCols()), 0);
    cellChomeRow_.assign(static_cast<std::size_t>(cellRows()), 0);
    for (std::size_t c = 0; c + 1 < chomeCols_.size(); ++c)
        for (int i = chomeCols_[c]; i < chomeCols_[c + 1]; ++i) cellChomeCol_[static_cast<std::size_t>(i)] = static_cast<int>(c);
    for (std::size_t r = 0; r + 1 < chomeRows_.size(); ++r)
        for (int j = chomeRows_[r]; j < chomeRows_[r + 1]; ++j) cellChomeRow_[static_cast<std::size_t>(j)] = static_cast<int>(r);

    // Towns take runs of neighbouring chome, walking the rows from the north
    // to and fro; their chome are numbered in that order.
    const int ncx = static_cast<int>(chomeCols_.size()) - 1, ncy = static_cast<int>(chomeRows_.size()) - 1;
    chome_.assign(static_cast<std::size_t>(ncx * ncy), Chome{});
    Rng rng(params_.seed, Draw::Town, {1});
    int town = -1, left = 0, number = 0;
    for (int row = ncy - 1, n = 0; row >= 0; --row, ++n) {
        for (int s = 0; s < ncx; ++s) {
            const int col = (n % 2 == 0) ? s : ncx - 1 - s;
            if (left == 0) {
                ++town;
                left = 1 + rng.below(5);
                number = 0;
            }
            --left;
            Chome& c = chome_[static_cast<std::size_t>(row * ncx + col)];
            c.town = town;
            c.number = ++number;
        }
    }
    const std::vector<std::string> names = townNames(params_.seed, town + 1);
    towns_.clear();
    for (int t = 0; t <= town; ++t) towns_.push_back({names[static_cast<std::size_t>(t)], t + 1});
    for (Chome& c : chome_) {
        char code[16];
        std::snprintf(code, sizeof code, "%03d%03d", towns_[static_cast<std::size_t>(c.town)].code, c.number);
        c.code = code;
        c.name = chomeName(towns_[static_cast<std::size_t>(c.town)].name, c.number);
    }
}

// Names the roads (and widens the named ones), the river and the railway.
void TownPlan::nameRoutes() {
    static const int nationalNumbers[] = {4, 6, 14, 15, 16, 17, 20, 122, 125, 246, 254, 298, 357, 463};
    static const char* const oldRoads[] = {"中山道", "日光街道", "水戸街道", "甲州街道", "青梅街道"};
    static const char* const streets[] = {"けやき通り", "いちょう通り", "中央通り", "駅前通り", "本町通り",
                                          "水道通り", "学園通り", "八幡通り", "昭和通り", "さくら通り",
                                          "旭通り", "平和通り", "東通り", "西通り"};
    static const char* const expressways[] = {"東関東自動車道", "常磐自動車道", "東北自動車道",
                                              "関越自動車道", "北関東自動車道"};
    Rng rng(params_.seed, Draw::Names, {20});
    const Cm maxWidth = std::max<Cm>(100, static_cast<Cm>(0.3 * static_cast<double>(std::min(
                                               kSheetWidth / params_.blocksPerSide,
                                               kSheetHeight / params_.blocksPerSide))));
    auto widen = [&](RoadLine& l, Cm lo, Cm hi) { l.width = std::min(roundTo10(rng.range(lo, hi)), maxWidth); };

    const int nv = static_cast<int>(vlines_.size()), nh = static_cast<int>(hlines_.size());
    auto freeNorthSouth = [&](int i) { return i > 0 && i < nv - 1 && i != railCol_ && i != railCol_ + 1; };
    auto freeEastWest = [&](int j) {
        return j > 0 && j < nh - 1 && j != riverRow_ && j != riverRow_ + 1 && j != expresswayLine_;
    };
    // A national road in each direction, where there is room for one.
    int nationalNS = -1, nationalEW = -1;
    for (int i = std::max(1, nv / 3); i < nv - 1; ++i)
        if (freeNorthSouth(i)) { nationalNS = i; break; }
    for (int j = std::max(1, (2 * nh) / 3); j < nh - 1; ++j)
        if (freeEastWest(j)) { nationalEW = j; break; }
    const int first = rng.below(14);
    if (nationalNS >= 0) {
        RoadLine& l = vlines_[static_cast<std::size_t>(nationalNS)];
        l.name = "国道" + fullWidthNumber(nationalNumbers[first]) + "号";
        l.alias = oldRoads[rng.below(5)];
        widen(l, kNationalMin, kNationalMax);
    }
    if (nationalEW >= 0) {
        RoadLine& l = hlines_[static_cast<std::size_t>(nationalEW)];
        l.name = "国道" + fullWidthNumber(nationalNumbers[(first + 1 + rng.below(13)) % 14]) + "号";
        widen(l, kNationalMin, kNationalMax);
    }
    if (expresswayLine_ >= 0) {
        RoadLine& l = hlines_[static_cast<std::size_t>(expresswayLine_)];
        l.width = std::min(kExpresswayGround, maxWidth);
        expressway_ = adminCode_.compare(0, 2, "13") == 0 ? "首都高速道路" : expressways[rng.below(5)];
    }
    // Some other lines are named streets.
    int street = rng.below(14);
    auto nameStreets = [&](std::vector<RoadLine>& lines, auto isFree) {
        for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
            RoadLine& l = lines[static_cast<std::size_t>(i)];
            if (!isFree(i) || !l.name.empty() || !rng.chance(0.12)) continue;
            l.name = streets[street++ % 14];
            widen(l, kStreetMin, kStreetMax);
        }
    };
    nameStreets(vlines_, freeNorthSouth);
    nameStreets(hlines_, freeEastWest);
    // North-south roads that cross the river on a bridge; the others end at
    // the riverside roads.
    for (int i = 0; i < nv; ++i) {
        RoadLine& l = vlines_[static_cast<std::size_t>(i)];
        l.bridge = !l.name.empty() || i == 0 || i == nv - 1 || rng.chance(0.35);
    }
    river_ = synth::riverName(params_.seed);
    static const char* const railways[][2] = {{"東都電鉄本線", "東都線"}, {"関東急行電鉄本線", "関急線"},
                                              {"武蔵野鉄道本線", "武蔵野線"}, {"京浜電気鉄道本線", "京浜線"}};
    const int railway = rng.below(4);
    railway_ = railways[railway][0];
    railwayAlias_ = railways[railway][1];
}

void TownPlan::placeTownHall() {
    const int hi = cellCols() / 2, hj = cellRows() / 2;
    hallCol_ = hi == railCol_ ? hi + 1 : hi;
    hallRow_ = hj == riverRow_ ? hj + 1 : hj;
}

void TownPlan::placeStations() {
    if (railCol_ < 0) return;
    Rng rng(params_.seed, Draw::Station, {});
    const Rect frame = municipalityFrame();
    const Cm x = railwayX();
    // Stations every 1 to 1.6 km, each in the middle of a row of blocks (not the river's).
    std::vector<int> rows;
    for (Cm y = frame.y0 + 60000 + static_cast<Cm>(rng.range(0, 30000)); y < frame.y1 - 30000;
         y += 100000 + static_cast<Cm>(rng.range(0, 60000))) {
        int j = 0;
        while (j + 1 < cellRows() && hlines_[static_cast<std::size_t>(j + 1)].pos <= y) ++j;
        rows.push_back(j);
    }
    if (rows.empty()) rows.push_back(cellRows() / 2);
    std::set<int> usedRows;
    std::set<std::string> usedNames;
    for (int j : rows) {
        if (j == riverRow_) j = j + 1 < cellRows() ? j + 1 : j - 1;
        if (j < 0 || j == riverRow_ || !usedRows.insert(j).second) continue;
        const Pt pos{x, (hlines_[static_cast<std::size_t>(j)].pos + hlines_[static_cast<std::size_t>(j + 1)].pos) / 2};
        std::string name = towns_[static_cast<std::size_t>(chome_[static_cast<std::size_t>(chomeAt(pos))].town)].name;
        if (!usedNames.insert(name).second) name = "新" + name;
        usedNames.insert(name);
        stations_.push_back({pos, name + "駅"});
    }
}

void TownPlan::nameMeshes() {
    meshNames_.clear();
    std::set<std::string> seen;
    for (int r = 0; r < params_.rows; ++r)
        for (int c = 0; c < params_.cols; ++c) {
            const Pt centre = sheetRect(c, r).centre();
            const LatLon ll = planeToGeodetic(static_cast<double>(origin_.y + centre.y) / kCmPerMetre,
                                              static_cast<double>(origin_.x + centre.x) / kCmPerMetre);
            std::string name = thirdMeshCode(ll);
            if (!seen.insert(name).second) throw std::logic_error("two sheets fall into mesh " + name);
            meshNames_.push_back(std::move(name));
        }
}

Rect TownPlan::sheetRect(int col, int row) const {
    return {kSheetWidth * col, kSheetHeight * row, kSheetWidth * (col + 1), kSheetHeight * (row + 1)};
}

const std::string& TownPlan::meshName(int col, int row) const {
    return meshNames_.at(static_cast<std::size_t>(row * params_.cols + col));
}

Rect TownPlan::cellRect(int i, int j) const {
    return {vlines_[static_cast<std::size_t>(i)].pos, hlines_[static_cast<std::size_t>(j)].pos,
            vlines_[static_cast<std::size_t>(i + 1)].pos, hlines_[static_cast<std::size_t>(j + 1)].pos};
}

Rect TownPlan::roadEdgeRect(int i, int j) const {
    const Rect c = cellRect(i, j);
    return {c.x0 + vlines_[static_cast<std::size_t>(i)].width / 2, c.y0 + hlines_[static_cast<std::size_t>(j)].width / 2,
            c.x1 - vlines_[static_cast<std::size_t>(i + 1)].width / 2,
            c.y1 - hlines_[static_cast<std::size_t>(j + 1)].width / 2};
}

Rect TownPlan::blockRect(int i, int j) const {
    const Rect r = roadEdgeRect(i, j);
    Rng rng(params_.seed, Draw::Block, {i, j, 1});
    const Cm limit = static_cast<Cm>(0.04 * static_cast<double>(std::min(r.width(), r.height())));
    const Cm setback = std::min<Cm>(50 + static_cast<Cm>(rng.range(0, 100)), limit);
    return {r.x0 + setback, r.y0 + setback, r.x1 - setback, r.y1 - setback};
}

void TownPlan::cellRange(const Rect& box, int& i0, int& i1, int& j0, int& j1) const {
    auto range = [](const std::vector<RoadLine>& lines, Cm lo, Cm hi, int& a, int& b) {
        const int cells = static_cast<int>(lines.size()) - 1;
        a = 0;
        while (a < cells && lines[static_cast<std::size_t>(a + 1)].pos <= lo) ++a;
        b = a;
        while (b < cells && lines[static_cast<std::size_t>(b)].pos < hi) ++b;
    };
    range(vlines_, box.x0, box.x1, i0, i1);
    range(hlines_, box.y0, box.y1, j0, j1);
}

Rect TownPlan::riverZone() const {
    if (riverRow_ < 0) return {};
    const RoadLine& s = hlines_[static_cast<std::size_t>(riverRow_)];
    const RoadLine& n = hlines_[static_cast<std::size_t>(riverRow_ + 1)];
    const Rect frame = municipalityFrame();
    return {frame.x0, s.pos + s.width / 2 + 100, frame.x1, n.pos - n.width / 2 - 100};
}

Cm TownPlan::railwayX() const {
    if (railCol_ < 0) return 0;
    return (vlines_[static_cast<std::size_t>(railCol_)].pos + vlines_[static_cast<std::size_t>(railCol_ + 1)].pos) / 2;
}

Rect TownPlan::municipalityFrame() const {
    return {vlines_.front().pos, hlines_.front().pos, vlines_.back().pos, hlines_.back().pos};
}

Cm TownPlan::sideStart(Side side) const {
    const Rect f = municipalityFrame();
    return (side == Side::South || side == Side::North) ? f.x0 : f.y0;
}

Cm TownPlan::sideEnd(Side side) const {
    const Rect f = municipalityFrame();
    return (side == Side::South || side == Side::North) ? f.x1 : f.y1;
}

Cm TownPlan::samplePosition(Side side, std::int64_t k) const {
    return std::min(sideStart(side) + k * boundaryStep_, sideEnd(side));
}

Cm TownPlan::sampleOffset(Side side, std::int64_t k) const {
    const Cm pos = samplePosition(side, k);
    const Cm fromStart = pos - sideStart(side), fromEnd = sideEnd(side) - pos;
    if (fromStart <= 0 || fromEnd <= 0) return 0;
    const bool alongX = side == Side::South || side == Side::North;
    // The boundary bulges into the strip between the outermost road and the
    // map's edge, which is at least a third of a cell wide.
    const Cm cell = alongX ? kSheetHeight / params_.blocksPerSide : kSheetWidth / params_.blocksPerSide;
    const double amplitude = std::min(8000.0, 0.25 * static_cast<double>(cell));
    Rng wave(params_.seed, Draw::Boundary, {static_cast<std::int64_t>(side)});
    const double phase1 = wave.range(0, 6.283), phase2 = wave.range(0, 6.283);
    Rng noise(params_.seed, Draw::Boundary, {static_cast<std::int64_t>(side), k});
    const double kd = static_cast<double>(k);
    const double shape = 0.55 + 0.3 * std::sin(kd * 0.21 + phase1) + 0.1 * std::sin(kd * 0.077 + phase2) +
                         0.05 * noise.range(-1, 1);
    const double taper = std::min({1.0, static_cast<double>(fromStart) / (4.0 * static_cast<double>(boundaryStep_)),
                                   static_cast<double>(fromEnd) / (4.0 * static_cast<double>(boundaryStep_))});
    return static_cast<Cm>(std::llround(amplitude * shape * taper));
}

Cm TownPlan::boundaryOffset(Side side, Cm along) const {
    const Cm start = sideStart(side), end = sideEnd(side);
    if (along <= start || along >= end) return 0;
    const std::int64_t k = (along - start) / boundaryStep_;
    const Cm a = samplePosition(side, k), b = samplePosition(side, k + 1);
    const Cm oa = sampleOffset(side, k), ob = sampleOffset(side, k + 1);
    if (along == a || b == a) return oa;
    return oa + roundDiv(static_cast<__int128>(ob - oa) * (along - a), b - a);
}

std::vector<Cm> TownPlan::boundarySamples(Side side, Cm from, Cm to) const {
    std::vector<Cm> out;
    const Cm start = sideStart(side), end = sideEnd(side);
    if (to <= from) return out;
    std::int64_t k = from < start ? 0 : (from - start) / boundaryStep_;
    for (;; ++k) {
        const Cm pos = samplePosition(side, k);
        if (pos >= to || pos >= end) break;
        if (pos > from) out.push_back(pos);
    }
    return out;
}

Pt TownPlan::boundaryPoint(Side side, Cm along) const {
    const Rect f = municipalityFrame();
    const Cm off = boundaryOffset(side, along);
    switch (side) {
        case Side::South: return {along, f.y0 - off};
        case Side::North: return {along, f.y1 + off};
        case Side::West: return {f.x0 - off, along};
        case Side::East: return {f.x1 + off, along};
    }
    return {};
}

int TownPlan::chomeOfCell(int i, int j) const {
    const int ncx = static_cast<int>(chomeCols_.size()) - 1;
    return cellChomeRow_[static_cast<std::size_t>(j)] * ncx + cellChomeCol_[static_cast<std::size_t>(i)];
}

int TownPlan::chomeAt(Pt p) const {
    auto find = [](const std::vector<int>& lines, const std::vector<RoadLine>& roads, Cm v) {
        int c = 0;
        const int last = static_cast<int>(lines.size()) - 2;
        while (c < last && roads[static_cast<std::size_t>(lines[static_cast<std::size_t>(c + 1)])].pos <= v) ++c;
        return c;
    };
    const int ncx = static_cast<int>(chomeCols_.size()) - 1;
    return find(chomeRows_, hlines_, p.y) * ncx + find(chomeCols_, vlines_, p.x);
}

void TownPlan::chomeCells(int chome, int& i0, int& i1, int& j0, int& j1) const {
    const int ncx = static_cast<int>(chomeCols_.size()) - 1;
    const int ci = chome % ncx, cj = chome / ncx;
    i0 = chomeCols_[static_cast<std::size_t>(ci)];
    i1 = chomeCols_[static_cast<std::size_t>(ci + 1)];
    j0 = chomeRows_[static_cast<std::size_t>(cj)];
    j1 = chomeRows_[static_cast<std::size_t>(cj + 1)];
}

}  // namespace synth
