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
    std::vector<const TLayerReading*> readings;
    readings.reserve(files.size());
    for (const std::string& entry : files)
        readings.push_back(LayerReadingOf(sjis::upperAscii(paths::extensionOf(entry))));

    for (TReadingPass pass : kReadingPasses)
        for (size_t i = 0; i < files.size(); ++i)
            if (readings[i] && readings[i]->Pass == pass) readings[i]->Read(map, parent + files[i], errors);
}
