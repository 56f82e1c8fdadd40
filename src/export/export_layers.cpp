#include <array>

#include "export/export_options.h"

namespace {
constexpr std::array<std::string_view, kExportLayerCount> kNames = {"lines", "areas", "points",
                                                                     "labels", "nodes", "links"};
}

std::string_view ExportLayerName(TExportLayer layer) { return kNames[static_cast<size_t>(layer)]; }

std::optional<TExportLayer> ExportLayerFromName(std::string_view name) {
    for (size_t i = 0; i < kNames.size(); ++i)
        if (kNames[i] == name) return static_cast<TExportLayer>(i);
    return std::nullopt;
}
