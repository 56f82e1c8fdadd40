// Reads a polygon file (.PGN): polygon records followed by their arc references,
// and assembles each polygon's outline from the arcs.
#include <cstdint>
#include <optional>

#include "reading/layer_readers.h"
#include "reading/layer_file.h"
#include "reading/record_buffer.h"
#include "reading/messages.h"

namespace {

struct PendingPolygon {
    TFeatureCode code;
    int id = 0;
    int declared = 0;  // clamped to the buffer
    TGeoPoint rep;
};

}  // namespace

void ReadPolygonFile(TKDKObject& map, const std::string& entry, TErrorList& errors) {
    const ReadMessages& m = Messages();
    LayerFile file(entry, map.Folder, errors);
    RecordBuffer<int32_t> buffer;
    std::optional<PendingPolygon> pending;

    auto finishPending = [&] {
        const PendingPolygon& p = *pending;
        TKDKPolygon& polygon = map.AddPolygon(
            p.code.Major, p.code.Minor, p.id,
            std::span<const int32_t>(buffer.data(), static_cast<size_t>(p.declared)), p.rep);
        polygon.FillColor = PaletteColor(CodeColorIndex(p.code.Major, p.code.Minor));
        if (!map.BuildOutline(polygon)) AppendError(errors, m.arcNotFound, file.entry());
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
    map.BytesRead += file.byteCount();
}
