#pragma once
// Loading data into one map the way the map panel does: each mesh description
// file is read into the map (the first creates it, later ones are read into a
// temporary map object and merged), and a folder contributes every mesh
// description file exactly one level below it.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "map/kdk_object.h"
#include "tables/coords_format.h"

// Reads one mesh description file (a file-system path) into `map`. Raises the
// readers' errors; on the first mesh what was read before the error stays in
// the new map, a failing later mesh leaves the map unchanged.
void LoadMeshFile(std::unique_ptr<TKDKObject>& map, const std::string& fsPath, TErrorList& errors);

// LoadMeshFile in two steps, so that reading can run on another thread:
// ReadMeshOnItsOwn reads one mesh description file into a new map object
// (`mesh` keeps what was read when it raises); AddMesh then makes it the map
// when there is none yet, or merges it into the map (the merge's lines go to
// `errors`, after the read's own lines).
void ReadMeshOnItsOwn(TKDKObject& mesh, const std::string& fsPath, TErrorList& errors);
void AddMesh(std::unique_ptr<TKDKObject>& map, std::unique_ptr<TKDKObject> mesh, TErrorList& errors);
// A mesh whose reading raised: it becomes the map when there is none yet and
// its description was accepted (what was read of its layers stays);
// otherwise it is dropped.
void AddFailedMesh(std::unique_ptr<TKDKObject>& map, std::unique_ptr<TKDKObject> mesh);

// The ".TXT" files (any case) exactly one level below the folder, in sorted order.
std::vector<std::string> MeshFilesInFolder(const std::string& fsFolder);

// The mesh description files of a path: the file itself, or those of a folder.
std::vector<std::string> MeshFilesOfPath(const std::string& fsPath);

// Reads a description file, or every mesh file of a folder in order; raises
// at the first mesh that cannot be read, keeping the meshes read before it.
// The meshes are read on `jobs` threads (0: DefaultReadingJobs) and merged
// in file order: map, error list and messages are those of reading them one
// after another.
void LoadDataPath(std::unique_ptr<TKDKObject>& map, const std::string& fsPath, TErrorList& errors, int jobs = 0);

// The coordinate system the first mesh description file of a path states
// (without reading its layers); none when the path has no mesh description
// file. Raises the reader's error when the description cannot be read.
std::optional<TCoordsFormat> DescribedSystem(const std::string& fsPath);
