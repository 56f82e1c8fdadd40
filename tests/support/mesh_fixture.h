#pragma once
// Writes one mesh in the authority's folder layout from a few lines of C++:
// <root>/<MESH>/<MESH>.TXT listing <MESH>\<SUB>\<FILE> entries, every file in
// Shift-JIS with CR LF line ends.
#include <filesystem>
#include <string>
#include <vector>

#include "mesh_files.h"

namespace testsupport {

class MeshFixture {
public:
    MeshFixture(std::filesystem::path root, std::string meshName);

    // The description's values; edit before write().
    meshfiles::Description& description() { return description_; }

    // A layer file at <MESH>\<relative> ("GYOUSEI\\GYOUSEI.ARC") with a valid
    // header and the given records (UTF-8), listed in the description.
    MeshFixture& layer(const std::string& relative, const std::vector<std::string>& records,
                       meshfiles::XY origin = {});
    // A layer file of exactly these bytes, listed in the description.
    MeshFixture& rawLayer(const std::string& relative, const std::string& bytes);
    // Lists an entry without writing a file.
    MeshFixture& listOnly(const std::string& entry);

    // Writes the description file; returns its path.
    std::filesystem::path write();

    // The entry name the readers use in messages: "..\" + <MESH>\<relative>, Shift-JIS.
    std::string entryName(const std::string& relative) const;
    std::filesystem::path descriptionPath() const;
    const std::string& meshName() const { return meshName_; }

private:
    std::filesystem::path fileOf(const std::string& relative) const;
    std::filesystem::path root_;
    std::string meshName_;
    meshfiles::Description description_;
};

}  // namespace testsupport
