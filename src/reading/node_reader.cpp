// Reads the topology layers: nodes (.NOD) with the arcs that meet at them,
// and network records (.TIE), one per arc.
#include <optional>

#include "reading/layer_readers.h"
#include "reading/layer_file.h"
#include "reading/record_buffer.h"
#include "reading/messages.h"

namespace {

struct PendingNode {
    int id = 0;
    int tag = 0;
    TGeoPoint position;
};

}  // namespace

void ReadNodeFile(TKDKObject& map, const std::string& entry, TErrorList& errors) {
    const ReadMessages& m = Messages();
    LayerFile file(entry, map.Folder, errors);
    RecordBuffer<int32_t> buffer;
    int count = 0;  // a short-form node reuses the count of the last long-form node
    std::optional<PendingNode> pending;

    auto finishPending = [&](int line) {
        const TKDKNode& node = map.AddNode(pending->id, pending->tag,
                                           std::span<const int32_t>(buffer.data(), static_cast<size_t>(count)),
                                           pending->position);
        for (int32_t r : node.ArcRefs)
            if (!map.FindLine(map.LastMeshNo, r)) AppendError(errors, m.brokenNode, file.entry(), line);
    };

    while (file.next()) {
        const size_t n = file.fieldCount();
        if (n == 4 || n == 5) {
            if (pending) finishPending(file.lineNo());
            PendingNode node;
            node.id = file.readInt(0, file.path());
            node.tag = file.readInt(1, file.path());
            if (n == 5) {
                count = buffer.clampCount(file.readInt(2, file.path()), file, m.brokenNode, false);
                node.position = file.readPoint(3, 4, file.path());
            } else {
                node.position = file.readPoint(2, 3, file.path());
            }
            pending = node;
            buffer.restart();
        } else if (n == 1) {
            buffer.add(file.readInt(0, file.entry()), file, m.brokenNode, false);
        } else {
            file.report(m.brokenNode);
        }
    }
    if (pending) finishPending(file.lineNo());  // the file's line count
    map.BytesRead += file.byteCount();
}

void ReadNetworkFile(TKDKObject& map, const std::string& entry, TErrorList& errors) {
    const ReadMessages& m = Messages();
    LayerFile file(entry, map.Folder, errors);
    while (file.next()) {
        if (file.fieldCount() != 3) {
            file.report(m.brokenNetwork);
            continue;
        }
        const int arcId = file.readInt(0, file.path());
        const int value1 = file.readInt(1, file.path());
        const int value2 = file.readInt(2, file.path());
        map.AddNetwork(arcId, value1, value2);
    }
    map.BytesRead += file.byteCount();
}
