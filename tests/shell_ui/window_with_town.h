#pragma once
// The viewer's main window on a fresh configuration folder, with the small
// test town (support/town_fixture.h) written and opened in it.
#include <QTest>
#include <filesystem>
#include <memory>

#include "shell_ui/main_form.h"
#include "support/child.h"
#include "support/temp_dir.h"
#include "support/town_fixture.h"

class WindowWithTown {
public:
    WindowWithTown() : town_(testsupport::writeTown(dir_.path() / "town")) {
        form_ = std::make_unique<TMainForm>((dir_.path() / "config").string() + "/",
                                            (dir_.path() / "Maps").string() + "/");
    }

    // Shows the window at `size` (its own size when empty) and opens the town.
    TMainForm& Open(QSize size = {}) {
        if (size.isValid()) form_->resize(size);
        form_->show();
        if (!QTest::qWaitForWindowExposed(form_.get())) qFatal("main window not exposed");
        OpenAgain();
        return *form_;
    }
    // Opens the town once more (as a further open command).
    void OpenAgain() {
        form_->OpenPaths({QString::fromStdString(town_.string())});
        if (!QTest::qWaitFor([this] { return !form_->Loading(); }, 20000)) qFatal("town not loaded");
        testsupport::Child<TGeoPanel>(*form_, "GeoPanel1")->FlushPendingRender();
    }

    TMainForm& Form() { return *form_; }
    const std::filesystem::path& Dir() const { return dir_.path(); }

private:
    testsupport::TempDir dir_;
    std::filesystem::path town_;
    std::unique_ptr<TMainForm> form_;
};
