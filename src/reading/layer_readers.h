#pragma once
// Reading a mesh into a map: the description file, then the layer files in
// three passes (arcs; polygons, points, nodes and networks in list order;
// attribute records last, which link to the features read before). Every
// failure raises; what was read before it stays in the map.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "map/kdk_object.h"

// Reads one mesh; path is the description file in Shift-JIS.
void LoadMesh(TKDKObject& map, const std::string& path, TErrorList& errors);
void ReadLayers(TKDKObject& map, TErrorList& errors);

// One layer file each; `entry` is the file's name as the description lists it.
void ReadArcFile(TKDKObject& map, const std::string& entry, TErrorList& errors);
void ReadPolygonFile(TKDKObject& map, const std::string& entry, TErrorList& errors);
void ReadPointFile(TKDKObject& map, const std::string& entry, TErrorList& errors);
void ReadAttributeFile(TKDKObject& map, const std::string& entry, TErrorList& errors);
void ReadNodeFile(TKDKObject& map, const std::string& entry, TErrorList& errors);
void ReadNetworkFile(TKDKObject& map, const std::string& entry, TErrorList& errors);

enum class TReadingPass : uint8_t { Arcs, Features, Attributes };
inline constexpr std::array<TReadingPass, 3> kReadingPasses{TReadingPass::Arcs, TReadingPass::Features,
                                                            TReadingPass::Attributes};

// How each kind of record is read: the extension of its layer files, the
// pass that reads them and the reader.
struct TLayerReading {
    TFeatureKind Kind;
    std::string_view Extension;  // upper case, with the dot
    TReadingPass Pass;
    void (*Read)(TKDKObject& map, const std::string& entry, TErrorList& errors);
};

inline constexpr std::array<TLayerReading, kFeatureKindCount> kLayerReadings{{
    {TFeatureKind::Line, ".ARC", TReadingPass::Arcs, ReadArcFile},
    {TFeatureKind::Polygon, ".PGN", TReadingPass::Features, ReadPolygonFile},
    {TFeatureKind::Point, ".PNT", TReadingPass::Features, ReadPointFile},
    {TFeatureKind::Attribute, ".ATR", TReadingPass::Attributes, ReadAttributeFile},
    {TFeatureKind::Node, ".NOD", TReadingPass::Features, ReadNodeFile},
    {TFeatureKind::Network, ".TIE", TReadingPass::Features, ReadNetworkFile},
}};

// The reading of the layer files with this extension (upper case), or null:
// files of other extensions are not read.
inline const TLayerReading* LayerReadingOf(std::string_view extension) {
    for (const TLayerReading& r : kLayerReadings)
        if (r.Extension == extension) return &r;
    return nullptr;
}

namespace layer_readings_detail {
constexpr bool inKindOrder() {
    for (size_t i = 0; i < kLayerReadings.size(); ++i)
        if (static_cast<size_t>(kLayerReadings[i].Kind) != i) return false;
    return true;
}
static_assert(inKindOrder(), "one reading per kind, in kind order");
}  // namespace layer_readings_detail
