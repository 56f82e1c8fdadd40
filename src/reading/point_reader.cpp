// Reads a point file (.PNT): one record per point.
#include "reading/kdk_object.h"
#include "reading/layer_file.h"
#include "reading/messages.h"

bool TKDKObject::ReadPointFile(const std::string& entry, TErrorList& errors) {
    const ReadMessages& m = Messages();
    LayerFile file(entry, Folder, errors);
    while (file.next()) {
        file.rejectEmptyRecord(m.brokenRecord);
        if (!file.kindIs('P')) {
            file.report(m.brokenPoint);
            continue;
        }
        file.checkFieldCount(4, m.brokenPoint);
        const TFeatureCode code = file.readCode(0);
        const int id = file.readInt(1, file.path());
        const TGeoPoint position = file.readPoint(2, 3, file.path());
        addPoint(std::make_unique<TKDKPoint>(code.Major, code.Minor, LastMeshNo, id, position));
    }
    BytesRead += file.byteCount();
    return true;
}
