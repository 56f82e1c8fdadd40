#include "reading/layer_kinds.h"

#include "reading/layer_readers.h"

namespace {

constexpr std::array<TLayerReading, kFeatureKindCount> kLayerReadings{{
    {TFeatureKind::Line, ".ARC", TReadingPass::Arcs, ReadArcFile},
    {TFeatureKind::Polygon, ".PGN", TReadingPass::Features, ReadPolygonFile},
    {TFeatureKind::Point, ".PNT", TReadingPass::Features, ReadPointFile},
    {TFeatureKind::Attribute, ".ATR", TReadingPass::Attributes, ReadAttributeFile},
    {TFeatureKind::Node, ".NOD", TReadingPass::Features, ReadNodeFile},
    {TFeatureKind::Network, ".TIE", TReadingPass::Features, ReadNetworkFile},
}};

constexpr bool inKindOrder() {
    for (size_t i = 0; i < kLayerReadings.size(); ++i)
        if (static_cast<size_t>(kLayerReadings[i].Kind) != i) return false;
    return true;
}
static_assert(inKindOrder());

}  // namespace

const TLayerReading* LayerReadingOf(std::string_view extension) {
    for (const TLayerReading& r : kLayerReadings)
        if (r.Extension == extension) return &r;
    return nullptr;
}
