#include "base/path_resolver.h"
#include "base/sjis.h"
#include "reading/description.h"
#include "reading/layer_readers.h"
#include "reading/messages.h"
#include "reading/read_errors.h"

void LoadMesh(TKDKObject& map, const std::string& path, TErrorList& errors) {
    if (!paths::fileExists(sjis::toUtf8(path)))
        throw TKDKReadException(Messages().fileCannotOpen, 0, path);
    auto description = std::make_unique<TKDKDescription>(map.LastMeshNo, path);
    ReadDescription(*description);
    map.BeginMesh(std::move(description));
    ReadLayers(map, errors);
    map.FinishMesh();
}

void ReadLayers(TKDKObject& map, TErrorList& errors) {
    static const std::string parent = "..\\";
    const std::vector<std::string> files = map.LayerFiles;
    std::vector<std::string> kinds;
    kinds.reserve(files.size());
    for (const std::string& entry : files) kinds.push_back(sjis::upperAscii(paths::extensionOf(entry)));

    for (size_t i = 0; i < files.size(); ++i)
        if (kinds[i] == ".ARC") ReadArcFile(map, parent + files[i], errors);
    for (size_t i = 0; i < files.size(); ++i) {
        const std::string entry = parent + files[i];
        if (kinds[i] == ".PGN")
            ReadPolygonFile(map, entry, errors);
        else if (kinds[i] == ".PNT")
            ReadPointFile(map, entry, errors);
        else if (kinds[i] == ".NOD")
            ReadNodeFile(map, entry, errors);
        else if (kinds[i] == ".TIE")
            ReadNetworkFile(map, entry, errors);
    }
    for (size_t i = 0; i < files.size(); ++i)
        if (kinds[i] == ".ATR") ReadAttributeFile(map, parent + files[i], errors);
}
