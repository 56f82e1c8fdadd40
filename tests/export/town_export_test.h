#pragma once
// The fixture of the export tests: the test town loaded, and an empty
// folder `out()` for the export to write into.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "map/kdk_object.h"
#include "reading/map_loading.h"
#include "support/temp_dir.h"
#include "support/town_fixture.h"

class TownExportTest : public ::testing::Test {
protected:
    void SetUp() override {
        TErrorList errors;
        LoadDataPath(map, testsupport::writeTown(dir.path() / "town").string(), errors);
        ASSERT_TRUE(map);
        std::filesystem::create_directory(out());
    }
    std::filesystem::path out() const { return dir.path() / "out"; }

    testsupport::TempDir dir;
    std::unique_ptr<TKDKObject> map;
};
