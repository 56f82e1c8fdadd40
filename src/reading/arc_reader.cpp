// Reads an arc file (.ARC): arc records followed by their vertex records.
#include <optional>

#include "reading/kdk_object.h"
#include "reading/layer_file.h"
#include "reading/messages.h"

namespace {

struct PendingArc {
    TFeatureCode code;
    int lineTag = 0;
    int id = 0;
    int declared = 0;  // clamped to the buffer
};

}  // namespace

bool TKDKObject::ReadArcFile(const std::string& entry, TErrorList& errors) {
    const ReadMessages& m = Messages();
    LayerFile file(entry, Folder, errors);
    RecordBuffer<TGeoPoint> buffer;
    std::optional<PendingArc> pending;

    auto createPending = [&] {
        const PendingArc& a = *pending;
        auto line = std::make_unique<TKDKLine>(a.code.Major, a.code.Minor, LastMeshNo, a.id, a.lineTag,
                                               a.declared, buffer.data());
        line->Color = PaletteColor(CodeColorIndex(a.code.Major, a.code.Minor));
        line->Width = CodeLineWidth(a.code.Major, a.code.Minor);
        line->PenStyle = CodePenStyle(a.code.Major, a.code.Minor);
        addLine(std::move(line));
    };

    while (file.next()) {
        file.rejectEmptyRecord(m.brokenRecord);
        if (file.kindIs('L')) {
            if (pending) createPending();
            const bool reported = file.checkFieldCount(4, m.brokenArcId);
            PendingArc a;
            a.code = file.readCode(0);
            if (a.code.Major == 11 && a.code.Minor == 8) HasBlocks = true;
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
    BytesRead += file.byteCount();
    return true;
}
