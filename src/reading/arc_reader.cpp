// Reads an arc file (.ARC): arc records followed by their vertex records.
#include <optional>

#include "reading/layer_readers.h"
#include "reading/layer_file.h"
#include "reading/record_buffer.h"
#include "reading/messages.h"
#include "tables/feature_codes.h"

namespace {

struct PendingArc {
    TFeatureCode code;
    int lineTag = 0;
    int id = 0;
    int declared = 0;  // clamped to the buffer
};

}  // namespace

void ReadArcFile(TKDKObject& map, const std::string& entry, TErrorList& errors) {
    const ReadMessages& m = Messages();
    LayerFile file(entry, map.Folder, errors);
    RecordBuffer<TGeoPoint> buffer;
    std::optional<PendingArc> pending;

    auto createPending = [&] {
        const PendingArc& a = *pending;
        TKDKLine& line = map.AddLine(a.code.Major, a.code.Minor, a.id, a.lineTag, a.declared,
                                     buffer.padded(a.declared));
        line.Color = PaletteColor(CodeColorIndex(a.code.Major, a.code.Minor));
        line.Width = CodeLineWidth(a.code.Major, a.code.Minor);
        line.PenStyle = CodePenStyle(a.code.Major, a.code.Minor);
    };

    while (file.next()) {
        file.rejectEmptyRecord(m.brokenRecord);
        if (file.kindIs('L')) {
            if (pending) createPending();
            const bool reported = file.checkFieldCount(4, m.brokenArcId);
            PendingArc a;
            a.code = file.readCode(0);
            if (a.code.Major * 100 + a.code.Minor == codes::kBlock) map.HasBlocks = true;
            a.lineTag = file.readInt(1, file.path());
            a.id = file.readInt(2, file.path());
            a.declared = buffer.clampCount(file.readInt(3, file.path()), file, m.brokenArcId, reported);
            pending = a;
            buffer.restart();
        } else {
            const bool reported = file.checkFieldCount(2, m.brokenCoord);
            buffer.add(file.readPoint(0, 1, file.entry()), file, m.brokenCoord, reported);
        }
    }
    if (pending) createPending();
    map.BytesRead += file.byteCount();
}
