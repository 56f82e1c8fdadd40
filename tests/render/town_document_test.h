#pragma once
// The fixture of the renderer's tests: a QGuiApplication for fonts, pictures
// and PDF, and a document holding the test town (tests/support/town_fixture).
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <cstdlib>
#include <memory>

#include "document/map_document.h"
#include "reading/map_loading.h"
#include "support/temp_dir.h"
#include "support/town_fixture.h"

class TownDocumentTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        static int argc = 1;
        static char name[] = "render_tests";
        static char* argv[] = {name, nullptr};
        if (!QGuiApplication::instance()) app_ = std::make_unique<QGuiApplication>(argc, argv);
    }
    static void TearDownTestSuite() { app_.reset(); }

    void SetUp() override {
        auto mesh = std::make_unique<TKDKObject>();
        ReadMeshOnItsOwn(*mesh, testsupport::writeTown(dir_.path()).string(), document_.ErrorList);
        document_.AddMesh(std::move(mesh));
    }

    inline static std::unique_ptr<QGuiApplication> app_;
    testsupport::TempDir dir_;
    MapDocument document_;
};
