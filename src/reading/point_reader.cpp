// Reads a point file (.PNT): one record per point.
#include "reading/layer_readers.h"
#include "reading/layer_file.h"
#include "reading/messages.h"

void ReadPointFile(TKDKObject& map, const std::string& entry, TErrorList& errors) {
    const ReadMessages& m = Messages();
    LayerFile file(entry, map.Folder, errors);
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
        map.AddPoint(code.Major, code.Minor, id, position);
    }
    map.BytesRead += file.byteCount();
}
