#include "render/map_snapshot.h"

#include "document/map_document.h"

MapSnapshot SnapshotOf(const MapDocument& document, const TViewport& viewport, const TSelectionStyle& style) {
    return {document.SharedMap(), document.Display, document.SelectedFeatures, document.Marks, style, viewport};
}
