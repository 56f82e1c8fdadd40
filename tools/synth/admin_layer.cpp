#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "layers.h"
#include "random.h"
#include "shapes.h"

namespace synth {
namespace {

constexpr int kMunicipality = 1105, kChome = 1106, kBlock = 1108;

// Lines of the administrative grid within a sheet: the municipality's
// boundary or the sheet edge on either side, and the given lines between.
struct GridLine {
    enum Kind { Inner, SheetEdge, Boundary } kind = Inner;
    Cm pos = 0;
    Side side = Side::South;  // for boundaries
};

std::vector<GridLine> gridLines(Cm frame0, Cm frame1, Cm sheet0, Cm sheet1, Side low, Side high,
                                const std::vector<Cm>& inner) {
    const GridLine first = frame0 >= sheet0 ? GridLine{GridLine::Boundary, frame0, low}
                                            : GridLine{GridLine::SheetEdge, sheet0, low};
    const GridLine last = frame1 <= sheet1 ? GridLine{GridLine::Boundary, frame1, high}
                                           : GridLine{GridLine::SheetEdge, sheet1, high};
    std::vector<GridLine> lines;
    if (first.pos >= last.pos) return lines;
    lines.push_back(first);
    for (Cm p : inner)
        if (p > first.pos && p < last.pos) lines.push_back({GridLine::Inner, p, low});
    lines.push_back(last);
    return lines;
}

using FaceValues = std::function<std::vector<std::string>(const Rect& face)>;

// Areas that tile the municipality's part of the sheet along grid lines.
// Neighbouring areas share their arcs (one runs it forward, the other
// backward); the municipality boundary carries its outward bulge.
void addGridAreas(const TownPlan& plan, GroupBuilder& g, int code, const std::vector<Cm>& innerX,
                  const std::vector<Cm>& innerY, const FaceValues& values) {
    const Rect frame = plan.municipalityFrame();
    const Rect& s = g.sheet();
    const std::vector<GridLine> lx = gridLines(frame.x0, frame.x1, s.x0, s.x1, Side::West, Side::East, innerX);
    const std::vector<GridLine> ly = gridLines(frame.y0, frame.y1, s.y0, s.y1, Side::South, Side::North, innerY);
    if (lx.size() < 2 || ly.size() < 2) return;
    const std::size_t nx = lx.size(), ny = ly.size();
    auto node = [&](std::size_t a, std::size_t b) {
        Pt p{lx[a].pos, ly[b].pos};
        if (lx[a].kind == GridLine::Boundary) p.x = plan.boundaryPoint(lx[a].side, ly[b].pos).x;
        if (ly[b].kind == GridLine::Boundary) p.y = plan.boundaryPoint(ly[b].side, lx[a].pos).y;
        return p;
    };
    // An edge along grid line `line` from `from` to `to`, following the
    // boundary's bulge when the line is the boundary.
    auto edge = [&](const GridLine& line, Pt from, Pt to, Cm along0, Cm along1) {
        std::vector<Pt> pts{from};
        if (line.kind == GridLine::Boundary)
            for (Cm a : plan.boundarySamples(line.side, along0, along1)) pts.push_back(plan.boundaryPoint(line.side, a));
        pts.push_back(to);
        return g.addArc(code, line.kind == GridLine::SheetEdge ? kTagSheetEdge : kTagOrdinary, std::move(pts));
    };
    std::vector<int> horizontal(nx * ny), vertical(nx * ny);  // arc ids by starting node
    for (std::size_t b = 0; b < ny; ++b)
        for (std::size_t a = 0; a + 1 < nx; ++a)
            horizontal[b * nx + a] = edge(ly[b], node(a, b), node(a + 1, b), lx[a].pos, lx[a + 1].pos);
    for (std::size_t a = 0; a < nx; ++a)
        for (std::size_t b = 0; b + 1 < ny; ++b)
            vertical[b * nx + a] = edge(lx[a], node(a, b), node(a, b + 1), ly[b].pos, ly[b + 1].pos);
    // Each face runs counter-clockwise: bottom, right, top backwards, left backwards.
    for (std::size_t b = 0; b + 1 < ny; ++b)
        for (std::size_t a = 0; a + 1 < nx; ++a) {
            const Rect face{lx[a].pos, ly[b].pos, lx[a + 1].pos, ly[b + 1].pos};
            g.addPolygon(code, face.centre(),
                         {horizontal[b * nx + a], vertical[b * nx + a + 1], -horizontal[(b + 1) * nx + a],
                          -vertical[b * nx + a]},
                         values(face));
        }
}

std::vector<Cm> innerChomeLines(const std::vector<int>& lines, const std::vector<RoadLine>& roads) {
    std::vector<Cm> out;
    for (std::size_t k = 1; k + 1 < lines.size(); ++k) out.push_back(roads[static_cast<std::size_t>(lines[k])].pos);
    return out;
}

// Block numbers of a chome's cells, counted to and fro from its north-west
// corner; now and then a block carries two numbers.
std::vector<std::vector<std::string>> blockNumbers(const TownPlan& plan, int chome) {
    int i0, i1, j0, j1;
    plan.chomeCells(chome, i0, i1, j0, j1);
    const int w = i1 - i0;
    std::vector<std::vector<std::string>> numbers(static_cast<std::size_t>(w * (j1 - j0)));
    int next = 1;
    for (int j = j1 - 1, n = 0; j >= j0; --j, ++n)
        for (int s = 0; s < w; ++s) {
            const int i = (n % 2 == 0) ? i0 + s : i1 - 1 - s;
            if (plan.isCorridorCell(i, j)) continue;
            auto& list = numbers[static_cast<std::size_t>((j - j0) * w + (i - i0))];
            list.push_back(std::to_string(next++));
            if (Rng(plan.params().seed, Draw::Block, {i, j, 2}).chance(0.04)) list.push_back(std::to_string(next++));
        }
    return numbers;
}

void addBlocks(const TownPlan& plan, GroupBuilder& g) {
    std::unordered_map<int, std::vector<std::vector<std::string>>> numbersOfChome;
    plan.forEachCell(g.sheet(), [&](int i, int j) {
        if (plan.isCorridorCell(i, j)) return;
        const int chome = plan.chomeOfCell(i, j);
        auto found = numbersOfChome.find(chome);
        if (found == numbersOfChome.end()) found = numbersOfChome.emplace(chome, blockNumbers(plan, chome)).first;
        int ci0, ci1, cj0, cj1;
        plan.chomeCells(chome, ci0, ci1, cj0, cj1);
        const Chome& c = plan.chomes()[static_cast<std::size_t>(chome)];
        std::vector<std::string> values{plan.adminCode(), c.code, c.name};
        for (const std::string& n : found->second[static_cast<std::size_t>((j - cj0) * (ci1 - ci0) + (i - ci0))])
            values.push_back(n);
        const Rect block = plan.blockRect(i, j);
        Rng rng(plan.params().seed, Draw::BlockEdge, {i, j});
        g.addArea(kBlock, blockOutline(block, rng), block, values);
    });
}

}  // namespace

void addAdministrativeAreas(const TownPlan& plan, GroupBuilder& g) {
    addGridAreas(plan, g, kMunicipality, {}, {}, [&](const Rect&) {
        return std::vector<std::string>{plan.adminCode(), plan.municipalityName()};
    });
    addGridAreas(plan, g, kChome, innerChomeLines(plan.chomeColumnLines(), plan.northSouthRoads()),
                 innerChomeLines(plan.chomeRowLines(), plan.eastWestRoads()), [&](const Rect& face) {
                     const Chome& c = plan.chomes()[static_cast<std::size_t>(plan.chomeAt(face.centre()))];
                     return std::vector<std::string>{plan.adminCode(), c.code, c.name};
                 });
    addBlocks(plan, g);
}

}  // namespace synth
