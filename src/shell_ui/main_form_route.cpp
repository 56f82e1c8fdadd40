// The main window's route on the map: the map's context menu sets its two
// ends ("ここから", "ここまで"); once both are set the route is searched on a
// worker thread, drawn over the map and its length shown in status panel 3;
// "ルートを消去" removes it, and a new load or closing the data clears it.
#include <QMenu>
#include <new>

#include "base/exception.h"
#include "shell_ui/main_form.h"
#include "shell_ui/orvelle_application.h"
#include "shell_ui/route_command.h"
#include "shell_ui/ui_text.h"

void TMainForm::createRouteActions() {
    const QString route = "ルート";
    RouteFrom1 = new QAction("ここから", this);
    RouteTo1 = new QAction("ここまで", this);
    RouteClear1 = new QAction("ルートを消去", this);
    for (QAction* a : {RouteFrom1, RouteTo1, RouteClear1}) a->setProperty("category", route);
    RouteFrom1->setObjectName("RouteFrom1");
    RouteTo1->setObjectName("RouteTo1");
    RouteClear1->setObjectName("RouteClear1");
    connect(RouteFrom1, &QAction::triggered, this, [this] { SetRouteEnd(true, contextPoint_); });
    connect(RouteTo1, &QAction::triggered, this, [this] { SetRouteEnd(false, contextPoint_); });
    connect(RouteClear1, &QAction::triggered, this, [this] { ClearRoute(); });

    route_ = std::make_unique<TRouteCommand>(
        [this](const std::optional<TRoute>& found, std::exception_ptr failure) { routeFound(found, failure); },
        [this] { jobEnded(); });
    GeoPanel1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(GeoPanel1, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        if (!GeoPanel1->DataLoaded() || loading_) return;
        contextPoint_ = GeoPanel1->WorldAtPanelPos(pos);
        QMenu menu(this);
        menu.addActions({RouteFrom1, RouteTo1});
        menu.addSeparator();
        menu.addAction(RouteClear1);
        RouteClear1->setEnabled(!GeoPanel1->Marks.Route.empty() || GeoPanel1->Marks.RouteStart ||
                                GeoPanel1->Marks.RouteEnd);
        menu.exec(GeoPanel1->mapToGlobal(pos));
    });
}

void TMainForm::SetRouteEnd(bool start, const TGeoPoint2D& at) {
    if (!GeoPanel1->DataLoaded() || loading_) return;
    TMapMarks& marks = GeoPanel1->Marks;
    (start ? marks.RouteStart : marks.RouteEnd) = at;
    marks.Route.clear();
    if (marks.RouteStart && marks.RouteEnd) {
        route_->Search(document_->RoadGraph(), MakePoint(marks.RouteStart->X, marks.RouteStart->Y, 0),
                       MakePoint(marks.RouteEnd->X, marks.RouteEnd->Y, 0));
        setStatus(3, "ルート検索中");
    }
    GeoPanel1->Redraw();
}

void TMainForm::ClearRoute() {
    route_->Reset();
    document_->DropRoadGraph();
    TMapMarks& marks = GeoPanel1->Marks;
    const bool shown = !marks.Route.empty() || marks.RouteStart || marks.RouteEnd;
    marks.RouteStart.reset();
    marks.RouteEnd.reset();
    marks.Route.clear();
    if (!shown) return;
    setStatus(3, {});
    GeoPanel1->Redraw();
}

void TMainForm::routeFound(const std::optional<TRoute>& found, std::exception_ptr failure) {
    if (failure) {
        setStatus(3, {});
        QString reason;
        try {
            std::rethrow_exception(failure);
        } catch (const std::bad_alloc&) {
            reason = "メモリが足りません";
        } catch (const std::exception& e) {
            reason = QString::fromStdString(ExceptionText(e));
        }
        ShowErrorBox(ToSjis("ルートを検索できません: " + reason));
        return;
    }
    if (!found) {
        setStatus(3, "ルートが見つかりません");
        return;
    }
    GeoPanel1->Marks.Route = found->Points;
    setStatus(3, QString("ルート: %1 m").arg(found->Length, 0, 'f', 2));
    GeoPanel1->Redraw();
}

bool TMainForm::SearchingRoute() const { return route_->Running(); }
