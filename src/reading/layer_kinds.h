#pragma once
// How each kind of record is read: the extension of its layer files, the pass
// that reads them and the reader. A mesh's layer files are read in three
// passes (arcs; polygons, points, nodes and networks in list order; attribute
// records last, which link to the features read before).
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "map/kdk_object.h"

enum class TReadingPass : uint8_t { Arcs, Features, Attributes };
inline constexpr std::array<TReadingPass, 3> kReadingPasses{TReadingPass::Arcs, TReadingPass::Features,
                                                            TReadingPass::Attributes};

struct TLayerReading {
    TFeatureKind Kind;
    std::string_view Extension;  // upper case, with the dot
    TReadingPass Pass;
    // Reads one file; `entry` is the file's name as the description lists it.
    void (*Read)(TKDKObject& map, const std::string& entry, TErrorList& errors);
};

// The reading of the layer files with this extension (upper case), or null.
const TLayerReading* LayerReadingOf(std::string_view extension);
