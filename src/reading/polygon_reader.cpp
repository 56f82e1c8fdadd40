// Reads a polygon file (.PGN): polygon records followed by their arc references,
// and assembles each polygon's outline from the arcs.
#include <cstdint>
#include <optional>

#include "reading/kdk_object.h"
#include "reading/layer_file.h"
#include "reading/messages.h"

namespace {

struct PendingPolygon {
    TFeatureCode code;
    int id = 0;
    int declared = 0;  // clamped to the buffer
    TGeoPoint rep;
};

}  // namespace

bool TKDKObject::ReadPolygonFile(const std::string& entry, TErrorList& errors) {
    const ReadMessages& m = Messages();
    LayerFile file(entry, Folder, errors);
    RecordBuffer<int32_t> buffer;
    std::optional<PendingPolygon> pending;

    auto finishPending = [&] {
        const PendingPolygon& p = *pending;
        auto polygon = std::make_unique<TKDKPolygon>(p.code.Major, p.code.Minor, LastMeshNo, p.id,
                                                     p.declared, buffer.data(), p.rep);
        polygon->FillColor = PaletteColor(CodeColorIndex(p.code.Major, p.code.Minor));
        if (!BuildOutline(*polygon)) AppendError(errors, m.arcNotFound, file.entry());
        addPolygon(std::move(polygon));
    };

    while (file.next()) {
        file.rejectEmptyRecord(m.brokenRecord);
        if (file.kindIs('A')) {
            if (pending) finishPending();
            const bool reported = file.checkFieldCount(5, m.brokenPolygonId);
            PendingPolygon p;
            p.code = file.readCode(0);
            p.id = file.readInt(1, file.path());
            const int declared = file.readInt(2, file.path());
            p.rep = file.readPoint(3, 4, file.entry());
            p.declared = buffer.clampCount(declared, file, m.brokenPolygonId, reported);
            pending = p;
            buffer.restart();
        } else {
            const bool reported = file.checkFieldCount(1, m.brokenArcRef);
            buffer.add(file.readInt(0, file.entry()), file, m.brokenArcRef, reported);
        }
    }
    if (pending) finishPending();
    BytesRead += file.byteCount();
    return true;
}

bool TKDKObject::BuildOutline(TKDKPolygon& polygon) {
    // The ring is collected whole: an outline made of many arcs may exceed the
    // reference buffer's size, and cutting it would corrupt the area.
    thread_local std::vector<TGeoPoint> ring;
    ring.clear();
    polygon.BoundsMin = EmptyBoxMin();
    polygon.BoundsMax = EmptyBoxMax();
    auto append = [&](const TGeoPoint& v) {
        if (ring.empty() || !SamePoint(ring.back(), v)) ring.push_back(v);
    };
    for (int32_t r : polygon.ArcRefs) {
        const int64_t id = r < 0 ? -static_cast<int64_t>(r) : r;  // -INT32_MIN names no arc
        const TKDKLine* arc =
            (r == 0 || id > INT32_MAX) ? nullptr : FindLine(polygon.MeshNo, static_cast<int32_t>(id));
        if (!arc) return false;
        if (r > 0)
            for (const TGeoPoint& v : arc->Vertices) append(v);
        else
            for (auto it = arc->Vertices.rbegin(); it != arc->Vertices.rend(); ++it) append(*it);
        ExpandMax(polygon.BoundsMax, arc->BoundsMax);
        ExpandMin(polygon.BoundsMin, arc->BoundsMin);
    }
    polygon.Ring.assign(ring.begin(), ring.end());
    polygon.RingCount = static_cast<int32_t>(polygon.Ring.size());
    return true;
}
