// Reading the meshes of a town on several threads gives exactly the map, the
// error list and the error of reading them one after another, with problems
// planted in several meshes and with a mesh whose reading fails.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "base/exception.h"
#include "reading/map_loading.h"
#include "support/map_dump.h"
#include "support/temp_dir.h"
#include "synth.h"

namespace fs = std::filesystem;

namespace {

struct Loaded {
    std::string dump;  // empty when no map was made
    TErrorList errors;
    std::string fatal;
};

// The reference: each mesh file read and merged in turn, as the viewer did.
Loaded readOneAfterAnother(const fs::path& root) {
    Loaded r;
    std::unique_ptr<TKDKObject> map;
    try {
        for (const std::string& file : MeshFilesInFolder(root.string())) LoadMeshFile(map, file, r.errors);
    } catch (const std::exception& e) {
        r.fatal = ExceptionText(e);
    }
    if (map) r.dump = testsupport::DumpMap(*map);
    return r;
}

Loaded readWithJobs(const fs::path& root, int jobs) {
    Loaded r;
    std::unique_ptr<TKDKObject> map;
    try {
        LoadDataPath(map, root.string(), r.errors, jobs);
    } catch (const std::exception& e) {
        r.fatal = ExceptionText(e);
    }
    if (map) r.dump = testsupport::DumpMap(*map);
    return r;
}

void append(const fs::path& file, const std::string& lines) {
    ASSERT_TRUE(fs::exists(file)) << file;
    std::ofstream(file, std::ios::binary | std::ios::app) << lines;
}

class ParallelReading : public ::testing::Test {
protected:
    void SetUp() override {
        synth::generate({.cols = 3, .rows = 2, .blocksPerSide = 6, .seed = 11}, dir_.path());
        meshes_ = MeshFilesInFolder(dir_.path().string());
        ASSERT_EQ(meshes_.size(), 6u);
    }
    // The layer file `group`/`group`.`ext` of the i-th mesh.
    fs::path layer(size_t i, const std::string& group, const std::string& ext) const {
        return fs::path(meshes_[i]).parent_path() / group / (group + "." + ext);
    }
    // Problems reading survives, in three meshes: a broken attribute record,
    // a record whose arc is missing, a broken node and a broken network line.
    void plantSurvivableProblems() {
        append(layer(1, "DOURO", "ATR"), "X2110,1,,broken\r\nL2110,987654,,missing arc\r\n");
        append(layer(3, "DOURO", "NOD"), "1,2,3\r\n");
        append(layer(4, "DOURO", "TIE"), "1,2,3,4\r\n");
        append(layer(4, "GYOUSEI", "ATR"), "A1106,876543,,a,b,c\r\n");
    }
    void expectSameForEveryNumberOfJobs() {
        const Loaded reference = readOneAfterAnother(dir_.path());
        for (int jobs : {1, 2, 3, 8}) {
            const Loaded parallel = readWithJobs(dir_.path(), jobs);
            EXPECT_EQ(parallel.errors, reference.errors) << jobs << " jobs";
            EXPECT_EQ(parallel.fatal, reference.fatal) << jobs << " jobs";
            EXPECT_TRUE(parallel.dump == reference.dump) << jobs << " jobs: the maps differ";
        }
    }

    testsupport::TempDir dir_;
    std::vector<std::string> meshes_;
};

TEST_F(ParallelReading, ProblemsInSeveralMeshesGiveTheSequentialMapAndErrorList) {
    plantSurvivableProblems();
    const Loaded reference = readOneAfterAnother(dir_.path());
    EXPECT_EQ(reference.errors.size(), 5u);
    EXPECT_FALSE(reference.dump.empty());
    expectSameForEveryNumberOfJobs();
}

TEST_F(ParallelReading, AFailingMeshEndsTheLoadWhereTheSequentialReadEnds) {
    plantSurvivableProblems();
    // Mesh 2 fails in its attribute pass (an id that is no number): meshes 0
    // and 1 stay, with the lines read before the failure; 3 to 5 are not merged.
    append(layer(2, "DOURO", "ATR"), "L2110,12q,,name\r\n");
    const Loaded reference = readOneAfterAnother(dir_.path());
    EXPECT_FALSE(reference.fatal.empty());
    EXPECT_NE(reference.dump.find("mesh 1 "), std::string::npos);
    EXPECT_EQ(reference.dump.find("mesh 2 "), std::string::npos);
    expectSameForEveryNumberOfJobs();
}

TEST_F(ParallelReading, AFirstMeshThatIsNoDescriptionLeavesNoMapAsBefore) {
    std::ofstream(meshes_[0], std::ios::binary | std::ios::trunc) << "not a description\r\n";
    const Loaded reference = readOneAfterAnother(dir_.path());
    EXPECT_FALSE(reference.fatal.empty());
    expectSameForEveryNumberOfJobs();
}

}  // namespace
