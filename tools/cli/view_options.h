#pragma once
// The view that --size and --box describe, shared by render and print: a
// surface of WIDTHxHEIGHT pixels showing the whole data as the viewer fits
// it, then zoomed to the box as the rubber band would.
#include <array>
#include <memory>
#include <optional>
#include <string>

#include "render/map_snapshot.h"

class TKDKObject;

namespace cli {

struct ViewOptions {
    int width = 800, height = 600;
    std::optional<std::array<double, 4>> box;  // min x, min y, max x, max y
};

// The largest view accepted, in pixels: each side, and both together (8000 x
// 8000; one drawing of the view takes 4 bytes a pixel).
inline constexpr int kMaxViewSide = 20000;
inline constexpr long long kMaxViewPixels = 64'000'000;

// True when `option` is --size or --box (which take a value).
bool isViewOption(const std::string& option);
// Reads the value of a view option; returns an empty text when it is good, else what is wrong.
std::string parseViewOption(const std::string& option, const std::string& value, ViewOptions& o);

// What is wrong when the --box shows nothing of the map's extent, else an empty text.
std::string boxOutsideData(const ViewOptions& o, const TKDKObject& map);

// The failure of a drawing of the view's size that got no memory.
std::string notEnoughMemoryText(const ViewOptions& o);

// The map as the viewer's window first shows it (block mode, or without
// blocks in the data, not), without a selection or marks, on a surface of
// the options' size at `pixelsPerInch`: the whole extent, then zoomed to the
// box if one was given.
MapSnapshot viewerSnapshot(std::shared_ptr<const TKDKObject> map, const ViewOptions& o, double pixelsPerInch);

}  // namespace cli
