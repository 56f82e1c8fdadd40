#include "view/coords_area.h"

#include <proj.h>

#include <array>
#include <memory>
#include <string>

#include "view/coords_table.h"

namespace {

using Areas = std::array<std::optional<TLonLatBox>, kCoordsFormatCount>;

Areas LookUpAreas() {
    Areas areas;
    std::unique_ptr<pj_ctx, PJ_CONTEXT* (*)(PJ_CONTEXT*)> context(proj_context_create(), proj_context_destroy);
    proj_log_level(context.get(), PJ_LOG_NONE);
    for (int i = 0; i < kCoordsFormatCount; ++i) {
        const TCoordsFormatEntry& row = CoordsFormatEntry(static_cast<TCoordsFormat>(i));
        if (row.Kind == kCoordsKindNone) continue;
        std::unique_ptr<PJ, PJ* (*)(PJ*)> system(proj_create(context.get(), ("EPSG:" + row.Code).c_str()),
                                                  proj_destroy);
        TLonLatBox box;
        if (system && proj_get_area_of_use(context.get(), system.get(), &box.West, &box.South, &box.East,
                                           &box.North, nullptr) &&
            box.West > -1000)  // PROJ writes -1000 for an unknown extent
            areas[static_cast<size_t>(i)] = box;
    }
    return areas;
}

const Areas& AllAreas() {
    static const Areas areas = LookUpAreas();
    return areas;
}

}  // namespace

std::optional<TLonLatBox> AreaOfUse(TCoordsFormat format) {
    const auto i = static_cast<size_t>(format);
    return i < AllAreas().size() ? AllAreas()[i] : std::nullopt;
}

bool InPlaneSystemsArea(double longitude, double latitude) {
    bool anyKnown = false;
    for (int i = 0; i < kCoordsFormatCount; ++i) {
        const auto format = static_cast<TCoordsFormat>(i);
        if (CoordsFormatEntry(format).Kind != kCoordsKindProjected) continue;
        const std::optional<TLonLatBox>& area = AllAreas()[static_cast<size_t>(i)];
        if (!area) continue;
        anyKnown = true;
        if (area->Contains(longitude, latitude)) return true;
    }
    return !anyKnown;
}
