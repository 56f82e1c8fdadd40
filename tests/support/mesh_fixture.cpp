#include "support/mesh_fixture.h"

#include "base/sjis.h"

namespace testsupport {

MeshFixture::MeshFixture(std::filesystem::path root, std::string meshName)
    : root_(std::move(root)), meshName_(std::move(meshName)) {
    description_.meshName = meshName_;
    description_.southWest = {-8000, -36000};
    description_.northEast = {-6000, -34500};
}

std::filesystem::path MeshFixture::fileOf(const std::string& relative) const {
    std::string p = relative;
    for (char& c : p)
        if (c == '\\') c = '/';
    return root_ / meshName_ / p;
}

MeshFixture& MeshFixture::layer(const std::string& relative, const std::vector<std::string>& records,
                                meshfiles::XY origin) {
    std::vector<std::string> lines;
    lines.push_back(meshfiles::headerRecord(meshName_ + "\\" + relative, origin, {0, 0}));
    lines.insert(lines.end(), records.begin(), records.end());
    meshfiles::writeLines(fileOf(relative), lines);
    description_.layerEntries.push_back(meshName_ + "\\" + relative);
    return *this;
}

MeshFixture& MeshFixture::rawLayer(const std::string& relative, const std::string& bytes) {
    meshfiles::writeBytes(fileOf(relative), bytes);
    description_.layerEntries.push_back(meshName_ + "\\" + relative);
    return *this;
}

MeshFixture& MeshFixture::listOnly(const std::string& entry) {
    description_.layerEntries.push_back(entry);
    return *this;
}

std::filesystem::path MeshFixture::descriptionPath() const { return root_ / meshName_ / (meshName_ + ".TXT"); }

std::filesystem::path MeshFixture::write() {
    meshfiles::writeLines(descriptionPath(), meshfiles::descriptionLines(description_));
    return descriptionPath();
}

std::string MeshFixture::entryName(const std::string& relative) const {
    return sjis::fromUtf8("..\\" + meshName_ + "\\" + relative);
}

}  // namespace testsupport
