#pragma once
// MapDocument, what the viewer has open: the map (read-only once loaded and
// shared with the jobs that read it), the error list of its reading, the
// features found by the attribute search, the marks (the route and a place
// found), the display state, and what jobs build from the map (the place
// index, the road graph). The window's thread owns it; a job never holds the
// document, only its own reference to the map (SharedMap) and what it builds.
#include <memory>
#include <string>
#include <vector>

#include "document/road_graph_of_map.h"
#include "drawing/map_marks.h"
#include "map/display_state.h"
#include "map/error_list.h"
#include "map/kdk_object.h"

class TPlaceIndex;

class MapDocument {
public:
    MapDocument();

    // --- the map
    bool HasMap() const { return map_ != nullptr; }
    const TKDKObject* Map() const { return map_.get(); }
    // The map for a job that reads it on another thread: the job's reference
    // keeps the map alive after the document has closed it.
    std::shared_ptr<const TKDKObject> SharedMap() const { return map_; }
    // A mesh read on its own (ReadMeshOnItsOwn): the first becomes the map,
    // later ones are merged into it, which needs the only reference to the
    // map; the place index and the road graph of the map as it was are
    // dropped first. Data without blocks switch the view mode to vmNoGaiku.
    // Returns whether the mesh became the map.
    bool AddMesh(std::unique_ptr<TKDKObject> mesh);
    // A mesh whose reading raised: kept only as the first. Returns whether it was kept.
    bool AddFailedMesh(std::unique_ptr<TKDKObject> mesh);
    // Lets go of the map and of everything that belongs to it; the view mode stays.
    void Close();
    // The map's coordinate system; Cartesian without a map.
    TCoordsFormat SourceFormat() const;

    // --- what is shown with the map
    TErrorList ErrorList;
    std::vector<const TKDKElement*> SelectedFeatures;  // features of the map
    // Drawn over the map in every rendering, also in copies and prints.
    TMapMarks Marks;
    // The view mode and the category switches; the map itself keeps none.
    TDisplayState Display;
    // A category's switch; false without a map or for another code.
    bool CategoryVisible(int major) const;
    // False, changing nothing, without a map or for another code.
    bool SetCategoryVisible(int major, bool on);
    // Appends the features of the major and minor code (-1: any) whose
    // attribute texts match to SelectedFeatures and returns how many; -1
    // without a map. A search that raises appends nothing.
    int SearchAttrib(int major, int minor, bool useRegex, const std::string& text);
    // Empties SelectedFeatures; true when it held features.
    bool ClearSelected();

    // --- built from the map by jobs, each keeping the map it was built from
    std::shared_ptr<const TPlaceIndex> PlaceIndex;
    // The road graph of the map (built by the first search that asks it); null without a map.
    std::shared_ptr<RoadGraphOfMap> RoadGraph();
    void DropRoadGraph() { roadGraph_.reset(); }

private:
    void dropBuiltFromMap();
    void resetForNewMap();

    std::shared_ptr<TKDKObject> map_;
    std::shared_ptr<RoadGraphOfMap> roadGraph_;
};
