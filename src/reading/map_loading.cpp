#include "reading/map_loading.h"

#include <algorithm>
#include <filesystem>

#include "base/sjis.h"
#include "reading/description.h"
#include "reading/layer_readers.h"
#include "reading/mesh_reader.h"

namespace fs = std::filesystem;

void ReadMeshOnItsOwn(TKDKObject& mesh, const std::string& fsPath, TErrorList& errors) {
    LoadMesh(mesh, sjis::fromUtf8(fsPath), errors);
}

void AddMesh(std::unique_ptr<TKDKObject>& map, std::unique_ptr<TKDKObject> mesh, TErrorList& errors) {
    if (!map)
        map = std::move(mesh);
    else
        map->Merge(*mesh, errors);
}

void AddFailedMesh(std::unique_ptr<TKDKObject>& map, std::unique_ptr<TKDKObject> mesh) {
    // Only a mesh whose description was accepted has anything to keep; a file
    // that is no mesh description must not leave an empty map behind, whose
    // unset coordinate system every later mesh would then disagree with.
    if (!map && mesh && mesh->AnyMeshBegun()) map = std::move(mesh);
}

void LoadMeshFile(std::unique_ptr<TKDKObject>& map, const std::string& fsPath, TErrorList& errors) {
    auto mesh = std::make_unique<TKDKObject>();
    try {
        ReadMeshOnItsOwn(*mesh, fsPath, errors);
    } catch (...) {
        AddFailedMesh(map, std::move(mesh));
        throw;
    }
    AddMesh(map, std::move(mesh), errors);
}

std::vector<std::string> MeshFilesInFolder(const std::string& fsFolder) {
    std::vector<std::string> files;
    std::error_code ec;
    for (const fs::directory_entry& sub : fs::directory_iterator(fsFolder, ec)) {
        if (!sub.is_directory(ec)) continue;
        std::error_code inner;
        for (const fs::directory_entry& f : fs::directory_iterator(sub.path(), inner)) {
            if (!f.is_regular_file(inner)) continue;
            if (sjis::upperAscii(f.path().extension().string()) == ".TXT") files.push_back(f.path().string());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<std::string> MeshFilesOfPath(const std::string& fsPath) {
    std::error_code ec;
    if (fs::is_directory(fsPath, ec)) return MeshFilesInFolder(fsPath);
    return {fsPath};
}

void LoadDataPath(std::unique_ptr<TKDKObject>& map, const std::string& fsPath, TErrorList& errors, int jobs) {
    MeshReader reader(MeshFilesOfPath(fsPath), jobs);
    while (std::optional<TMeshRead> read = reader.next()) {
        errors.insert(errors.end(), read->Errors.begin(), read->Errors.end());
        if (read->Failure) {
            AddFailedMesh(map, std::move(read->Mesh));
            std::rethrow_exception(read->Failure);
        }
        AddMesh(map, std::move(read->Mesh), errors);
    }
}

std::optional<TCoordsFormat> DescribedSystem(const std::string& fsPath) {
    const std::vector<std::string> files = MeshFilesOfPath(fsPath);
    if (files.empty()) return std::nullopt;
    TKDKDescription description(0, sjis::fromUtf8(files.front()));
    ReadDescription(description);
    return FormatFromDatum(description.DatumFlag == 0 ? kDatumTokyo : kDatumJGD2000, description.CoordSystemNo);
}
