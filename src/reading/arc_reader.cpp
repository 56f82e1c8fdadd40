// Reads an arc file (.ARC): arc records followed by their vertex records.
#include <algorithm>
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
    std::vector<TGeoPoint> buffer(kReadBufferSize);
    int filled = 0;
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
        if (file.empty()) {
            file.report(m.brokenRecord);
            file.field(0);  // raises the index error
        }
        if (file.kindIs('L')) {
            if (pending) createPending();
            bool reported = false;
            if (file.fieldCount() != 4) {
                file.report(m.brokenArcId);
                reported = true;
            }
            PendingArc a;
            a.code = file.readCode(0);
            if (a.code.Major == 11 && a.code.Minor == 8) HasBlocks = true;
            a.lineTag = file.readInt(1, file.path());
            a.id = file.readInt(2, file.path());
            const int declared = file.readInt(3, file.path());
            if ((declared < 0 || declared > kReadBufferSize) && !reported) file.report(m.brokenArcId);
            a.declared = std::clamp(declared, 0, kReadBufferSize);
            pending = a;
            filled = 0;
        } else {
            const bool wrongCount = file.fieldCount() != 2;
            if (wrongCount) file.report(m.brokenCoord);
            TGeoPoint p = file.readPoint(0, 1, file.entry());
            if (filled < kReadBufferSize)
                buffer[static_cast<size_t>(filled++)] = p;
            else if (!wrongCount)
                file.report(m.brokenCoord);  // beyond the buffer: dropped
        }
    }
    if (pending) createPending();
    BytesRead += file.byteCount();
    return true;
}
