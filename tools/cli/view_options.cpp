#include "view_options.h"

#include <cstdio>
#include <vector>

#include "arguments.h"
#include "map/kdk_object.h"

namespace cli {

bool isViewOption(const std::string& option) { return option == "--size" || option == "--box"; }

std::string parseViewOption(const std::string& option, const std::string& value, ViewOptions& o) {
    if (option == "--size") {
        if (!parseSize(value, o.width, o.height) || o.width > kMaxViewSide || o.height > kMaxViewSide ||
            static_cast<long long>(o.width) * o.height > kMaxViewPixels)
            return "--size must be WxH with sides from 1 to " + std::to_string(kMaxViewSide) + " and at most " +
                   std::to_string(kMaxViewPixels / 1'000'000) + " million pixels in all (8000x8000)";
        return {};
    }
    std::vector<double> n;
    if (!parseNumberList(value, n) || n.size() != 4 || n[0] > n[2] || n[1] > n[3])
        return "--box must be MINX,MINY,MAXX,MAXY with MIN <= MAX";
    o.box = std::array<double, 4>{n[0], n[1], n[2], n[3]};
    return {};
}

std::string notEnoughMemoryText(const ViewOptions& o) {
    return "not enough memory to draw a view of " + std::to_string(o.width) + "x" + std::to_string(o.height) +
           " pixels";
}

std::string boxOutsideData(const ViewOptions& o, const TKDKObject& map) {
    if (!o.box) return {};
    const auto [minX, minY, maxX, maxY] = *o.box;
    const TGeoPoint2D& low = map.SouthWest;
    const TGeoPoint2D& high = map.NorthEast;
    if (maxX >= low.X && minX <= high.X && maxY >= low.Y && minY <= high.Y) return {};
    char extent[160];
    std::snprintf(extent, sizeof extent, "X %.2f to %.2f, Y %.2f to %.2f", low.X, high.X, low.Y, high.Y);
    return std::string("--box lies outside the data (") + extent + ")";
}

MapSnapshot viewerSnapshot(std::shared_ptr<const TKDKObject> map, const ViewOptions& o, double pixelsPerInch) {
    MapSnapshot snapshot;
    snapshot.Display.ViewMode = map->HasBlocks ? TViewMode::vmGaiku : TViewMode::vmNoGaiku;
    TViewport& view = snapshot.Viewport;
    view.Width = o.width;
    view.Height = o.height;
    view.PixelsPerInch = pixelsPerInch;
    view.FitExtent(map->SouthWest.X, map->NorthEast.X, map->SouthWest.Y, map->NorthEast.Y);
    if (o.box) view.ZoomToBox((*o.box)[0], (*o.box)[2], (*o.box)[1], (*o.box)[3]);
    snapshot.Map = std::move(map);
    return snapshot;
}

}  // namespace cli
