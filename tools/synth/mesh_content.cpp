#include "mesh_content.h"

#include <algorithm>

#include "random.h"

namespace synth {

std::size_t MeshContent::vertexCount() const {
    std::size_t n = 0;
    for (const LayerGroup& g : groups)
        for (const Arc& a : g.arcs) n += a.pts.size();
    return n;
}

int GroupBuilder::addArc(int code, int tag, std::vector<Pt> pts) {
    const int id = ++ids_.arc;
    group_.arcs.push_back({code, tag, id, std::move(pts)});
    return id;
}

void GroupBuilder::addLine(int code, int tag, const std::vector<Pt>& line, const std::vector<std::string>& values) {
    for (std::vector<Pt>& piece : clipPolyline(line, sheet_)) {
        const int id = addArc(code, tag, std::move(piece));
        if (!values.empty()) addAttribute('L', code, id, values);
    }
}

void GroupBuilder::addRingLine(int code, const TaggedRing& ring) {
    for (Run& run : ringRuns(clipRing(ring, sheet_)))
        if (run.tag != kTagSheetEdge) addArc(code, run.tag, std::move(run.pts));
}

int GroupBuilder::addArea(int code, const TaggedRing& ring, const Rect& core, const std::vector<std::string>& values) {
    const TaggedRing cut = clipRing(ring, sheet_);
    std::vector<Run> runs = ringRuns(cut);
    if (runs.empty()) return 0;
    std::vector<int> refs;
    for (Run& run : runs) refs.push_back(addArc(code, run.tag, std::move(run.pts)));
    const Rect inside{std::max(core.x0, sheet_.x0), std::max(core.y0, sheet_.y0), std::min(core.x1, sheet_.x1),
                      std::min(core.y1, sheet_.y1)};
    const Pt preferred = inside.x0 <= inside.x1 && inside.y0 <= inside.y1 ? inside.centre() : cut.pts.front();
    return addPolygon(code, interiorPoint(cut.pts, preferred), std::move(refs), values);
}

int GroupBuilder::addPolygon(int code, Pt rep, std::vector<int> refs, const std::vector<std::string>& values) {
    const int id = ++ids_.polygon;
    group_.polygons.push_back({code, id, rep, std::move(refs)});
    if (!values.empty()) addAttribute('A', code, id, values);
    return id;
}

int GroupBuilder::addPoint(int code, Pt pos, const std::vector<std::string>& values) {
    const int id = ++ids_.point;
    group_.points.push_back({code, id, pos});
    if (!values.empty()) addAttribute('P', code, id, values);
    return id;
}

void GroupBuilder::addAttribute(char kind, int code, int target, std::vector<std::string> values) {
    group_.attributes.push_back({kind, code, target, std::move(values)});
}

namespace {

// Finds the node at a place among the group's nodes: open addressing over
// indices into the node list, sized for every arc end.
class NodeIndex {
public:
    explicit NodeIndex(std::size_t places) {
        std::size_t size = 16;
        while (size < places * 2) size *= 2;
        slots_.assign(size, -1);
        mask_ = size - 1;
    }
    // The slot for p: holding the node at p, or empty (-1) where it belongs.
    int& slot(Pt p, const std::vector<Node>& nodes) {
        std::size_t i = static_cast<std::size_t>(mix64(static_cast<std::uint64_t>(p.x) * 0x9E3779B97F4A7C15ull ^
                                                        static_cast<std::uint64_t>(p.y))) & mask_;
        while (slots_[i] >= 0 && !(nodes[static_cast<std::size_t>(slots_[i])].pos == p)) i = (i + 1) & mask_;
        return slots_[i];
    }

private:
    std::vector<int> slots_;
    std::size_t mask_ = 0;
};

// Place digit of a node tag: 0 inside, 1 to 8 clockwise from the top-left corner.
int placeOnSheet(Pt p, const Rect& s, bool& onMapEdge, const SheetSides& mapEdge) {
    const bool w = p.x == s.x0, e = p.x == s.x1, south = p.y == s.y0, n = p.y == s.y1;
    onMapEdge = (south && mapEdge[0]) || (e && mapEdge[1]) || (n && mapEdge[2]) || (w && mapEdge[3]);
    if (n && w) return 1;
    if (n && e) return 3;
    if (south && e) return 5;
    if (south && w) return 7;
    if (n) return 2;
    if (e) return 4;
    if (south) return 6;
    if (w) return 8;
    return 0;
}

}  // namespace

void buildTopology(LayerGroup& group, MeshIds& ids, const Rect& sheet, const SheetSides& mapEdge) {
    NodeIndex where(group.arcs.size() * 2);
    auto nodeAt = [&](Pt p, int arc) {
        int& slot = where.slot(p, group.nodes);
        if (slot < 0) {
            bool onMapEdge = false;
            const int place = placeOnSheet(p, sheet, onMapEdge, mapEdge);
            // Tens digit 1: the line ends at the edge of the data; 0: it goes on.
            slot = static_cast<int>(group.nodes.size());
            group.nodes.push_back({++ids.node, (onMapEdge ? 10 : 0) + place, p, {}});
        }
        Node& node = group.nodes[static_cast<std::size_t>(slot)];
        if (std::find(node.arcs.begin(), node.arcs.end(), arc) == node.arcs.end()) node.arcs.push_back(arc);
        return node.id;
    };
    group.links.reserve(group.arcs.size());
    for (const Arc& a : group.arcs) {
        const int from = nodeAt(a.pts.front(), a.id);
        const int to = nodeAt(a.pts.back(), a.id);
        group.links.push_back({a.id, from, to});
    }
}

}  // namespace synth
