#include "document/map_document.h"

#include <cassert>

#include "queries/map_queries.h"
#include "reading/map_loading.h"

// Everything is drawn until the owner chooses a view mode.
MapDocument::MapDocument() { Display.ViewMode = TViewMode::vmAll; }

// The index and the graph hold the map they were built from.
void MapDocument::dropBuiltFromMap() {
    PlaceIndex.reset();
    roadGraph_.reset();
}

void MapDocument::resetForNewMap() {
    Display.CategoryShown = TDisplayState{}.CategoryShown;
    dropBuiltFromMap();
}

bool MapDocument::AddMesh(std::unique_ptr<TKDKObject> mesh) {
    const bool first = !map_;
    if (first) {
        map_ = std::move(mesh);
        resetForNewMap();
    } else {
        dropBuiltFromMap();  // merging changes what they describe
        // A job reading the map on another thread holds a reference; writing now would race with it.
        assert(map_.use_count() == 1);
        map_->Merge(*mesh, ErrorList);
    }
    if (!map_->HasBlocks) Display.ViewMode = TViewMode::vmNoGaiku;
    return first;
}

bool MapDocument::AddFailedMesh(std::unique_ptr<TKDKObject> mesh) {
    if (map_) return false;  // a failing later mesh is dropped
    std::unique_ptr<TKDKObject> kept;
    ::AddFailedMesh(kept, std::move(mesh));
    map_ = std::move(kept);
    resetForNewMap();
    return map_ != nullptr;
}

void MapDocument::Close() {
    SelectedFeatures.clear();
    Marks = {};
    map_.reset();
    resetForNewMap();
    ErrorList.clear();
}

TCoordsFormat MapDocument::SourceFormat() const { return map_ ? map_->SourceFormat : TCoordsFormat::cfCartesian; }

bool MapDocument::CategoryVisible(int major) const { return map_ && Display.CategoryVisible(major); }

bool MapDocument::SetCategoryVisible(int major, bool on) {
    const int i = CategoryIndex(major);
    if (!map_ || i < 0) return false;
    Display.CategoryShown[static_cast<size_t>(i)] = on;
    return true;
}

int MapDocument::SearchAttrib(int major, int minor, bool useRegex, const std::string& text) {
    if (!map_) return -1;
    std::vector<const TKDKElement*> found;
    const int count = ::SearchAttrib(*map_, major, minor, found, useRegex, text);
    SelectedFeatures.insert(SelectedFeatures.end(), found.begin(), found.end());
    return count;
}

bool MapDocument::ClearSelected() {
    if (SelectedFeatures.empty()) return false;
    SelectedFeatures.clear();
    return true;
}

std::shared_ptr<RoadGraphOfMap> MapDocument::RoadGraph() {
    if (!map_) return nullptr;
    if (!roadGraph_) roadGraph_ = std::make_shared<RoadGraphOfMap>(map_);
    return roadGraph_;
}
