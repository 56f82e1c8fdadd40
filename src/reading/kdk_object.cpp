#include "reading/kdk_object.h"

#include "base/path_resolver.h"
#include "base/sjis.h"
#include "reading/messages.h"

TKDKObject::TKDKObject() = default;
TKDKObject::~TKDKObject() = default;

bool TKDKObject::LoadMesh(const std::string& path, TErrorList& errors) {
    if (!paths::fileExists(sjis::toUtf8(path)))
        throw TKDKReadException(Messages().fileCannotOpen, 0, path);
    auto description = std::make_unique<TKDKDescription>(LastMeshNo, path);
    description->Read();

    BaseName = description->BaseName;
    Folder = description->Folder;
    SouthWest = description->SouthWest;
    NorthEast = description->NorthEast;
    NorthWest = description->NorthWest;
    SouthEast = description->SouthEast;
    Scale = description->Scale;
    CoordSystemNo = description->CoordSystemNo;
    DatumFlag = description->DatumFlag;
    SourceFormat = FormatFromDatum(DatumFlag == 0 ? kDatumTokyo : kDatumJGD2000, CoordSystemNo);
    LayerFiles = description->LayerFiles;

    ReadLayers(errors);
    Descriptions.push_back(std::move(description));
    return true;
}

void TKDKObject::ReadLayers(TErrorList& errors) {
    static const std::string parent = "..\\";
    std::vector<std::string> kinds;
    kinds.reserve(LayerFiles.size());
    for (const std::string& entry : LayerFiles) kinds.push_back(sjis::upperAscii(paths::extensionOf(entry)));

    for (size_t i = 0; i < LayerFiles.size(); ++i)
        if (kinds[i] == ".ARC") ReadArcFile(parent + LayerFiles[i], errors);
    for (size_t i = 0; i < LayerFiles.size(); ++i) {
        const std::string entry = parent + LayerFiles[i];
        if (kinds[i] == ".PGN")
            ReadPolygonFile(entry, errors);
        else if (kinds[i] == ".PNT")
            ReadPointFile(entry, errors);
        else if (kinds[i] == ".NOD")
            ReadNodeFile(entry, errors);
        else if (kinds[i] == ".TIE")
            ReadNetworkFile(entry, errors);
    }
    for (size_t i = 0; i < LayerFiles.size(); ++i)
        if (kinds[i] == ".ATR") ReadAttributeFile(parent + LayerFiles[i], errors);
}

void TKDKObject::addLine(std::unique_ptr<TKDKLine> line) {
    lineIndex_.add(line->MeshNo, line->Id, line.get());
    Lines.push_back(std::move(line));
}

void TKDKObject::addPolygon(std::unique_ptr<TKDKPolygon> polygon) {
    polygonIndex_.add(polygon->MeshNo, polygon->Id, polygon.get());
    Polygons.push_back(std::move(polygon));
}

void TKDKObject::addPoint(std::unique_ptr<TKDKPoint> point) {
    pointIndex_.add(point->MeshNo, point->Id, point.get());
    Points.push_back(std::move(point));
}

std::string TKDKObject::MeshName(int meshNo) const {
    for (const auto& d : Descriptions)
        if (d->MeshNo == meshNo) return d->BaseName;
    return {};
}

bool TKDKObject::HasMesh(const std::string& baseName) const {
    for (const auto& d : Descriptions)
        if (d->BaseName == baseName) return true;
    return false;
}
