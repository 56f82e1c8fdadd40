#pragma once
// The main window on the test town, for the window tests: a temporary
// configuration folder and cache, the town written once per test.
#include <QTest>
#include <filesystem>
#include <memory>

#include "shell_ui/main_form.h"
#include "support/child.h"
#include "support/temp_dir.h"
#include "support/town_fixture.h"

namespace testsupport {

class TownWindow {
public:
    TownWindow() : town_(writeTown(dir_.path() / "town")) {}

    std::filesystem::path config() const { return dir_.path() / "config"; }
    const std::filesystem::path& town() const { return town_; }

    // Starts the window (its FormCreate reads the configuration folder).
    TMainForm& start() {
        form_ = std::make_unique<TMainForm>(config().string() + "/", (dir_.path() / "Maps").string() + "/");
        form_->show();
        if (!QTest::qWaitForWindowExposed(form_.get())) qFatal("main window not exposed");
        Child<TGeoPanel>(*form_, "GeoPanel1")->FlushPendingRender();
        return *form_;
    }
    // Opens the town and waits for the open to end.
    void openTown() {
        form_->OpenPaths({QString::fromStdString(town_.string())});
        QTRY_VERIFY_WITH_TIMEOUT(!form_->Loading(), 20000);
    }
    TMainForm& form() { return *form_; }

private:
    TempDir dir_;
    std::filesystem::path town_;
    std::unique_ptr<TMainForm> form_;
};

}  // namespace testsupport
