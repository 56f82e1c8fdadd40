// The render worker: the latest request wins, images arrive through the
// owner's event loop or at once from Finish, and the worker lets go of the
// map when it is idle.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <memory>
#include <vector>

#include "render/map_renderer.h"
#include "render/render_worker.h"
#include "town_document_test.h"

namespace {

class RenderWorkerTest : public TownDocumentTest {
protected:
    // A view of the town `width` pixels wide, fitted to the whole town.
    MapSnapshot snapshot(int width) const {
        TViewport viewport;
        viewport.Width = width;
        viewport.Height = 150;
        viewport.FitExtent(0, 200, 0, 150);
        return SnapshotOf(document_, viewport, {});
    }

    struct Delivery {
        QImage image;
        TViewState view;
    };

    std::vector<Delivery> delivered_;
    int idles_ = 0;
    RenderWorker worker_{[this](QImage image, const TViewState& view) { delivered_.push_back({image, view}); },
                         [this] { ++idles_; }};
};

TEST_F(RenderWorkerTest, FinishDeliversTheLastRequestOnly) {
    const MapSnapshot first = snapshot(200), second = snapshot(300);
    worker_.Request(first);
    worker_.Request(second);
    worker_.Finish();
    ASSERT_EQ(delivered_.size(), 1u);
    EXPECT_EQ(delivered_[0].image, RenderImage(second, TSelectionShown::Yes));
    EXPECT_EQ(delivered_[0].view.ScaleX, second.Viewport.View.ScaleX);
    worker_.Finish();  // nothing new
    QCoreApplication::processEvents();
    EXPECT_EQ(delivered_.size(), 1u);  // the queued delivery finds it delivered
}

TEST_F(RenderWorkerTest, ImageArrivesThroughTheEventLoopAndTheWorkerLetsGoOfTheMap) {
    const std::weak_ptr<const TKDKObject> map = document_.SharedMap();
    worker_.Request(snapshot(250));
    EXPECT_GE(map.use_count(), 2);  // the document's and the worker's
    QElapsedTimer waited;
    waited.start();
    while ((delivered_.empty() || idles_ == 0) && waited.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    ASSERT_EQ(delivered_.size(), 1u);
    EXPECT_EQ(delivered_[0].image.width(), 250);
    EXPECT_FALSE(worker_.Busy());
    EXPECT_EQ(idles_, 1);
    EXPECT_EQ(map.use_count(), 1);
}

TEST_F(RenderWorkerTest, RequestsAfterClosingStillDrawTheirOwnMap) {
    const MapSnapshot taken = snapshot(200);
    const QImage expected = RenderImage(taken, TSelectionShown::Yes);
    document_.Close();
    worker_.Request(taken);
    worker_.Finish();
    ASSERT_EQ(delivered_.size(), 1u);
    EXPECT_EQ(delivered_[0].image, expected);
}

}  // namespace
