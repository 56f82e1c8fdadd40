#pragma once
// Reading a mesh into a map: the description file, then the layer files in
// the passes reading/layer_kinds.h gives. Every failure raises; what was read
// before it stays in the map.
#include <string>

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
