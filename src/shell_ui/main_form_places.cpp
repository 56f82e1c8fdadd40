// The main window's 表示 → 場所へ移動: the place index is built on a worker
// thread after every load; the dialog looks the typed text up in it, and the
// match chosen is centred, shown at a scale that holds it and marked until
// the next command.
#include <algorithm>

#include "places/place_index.h"
#include "shell_ui/go_to_place_form.h"
#include "shell_ui/main_form.h"
#include "shell_ui/ui_text.h"
#include "view/coordinate_translator.h"

namespace {

// How much of the surroundings a place is shown with: a point in a street
// view this wide, an area with this share of its size around it.
constexpr double kStreetViewMetres = 300;
constexpr double kAreaMargin = 0.15;

// Zooms the panel so that the whole box is in view: the box is widened to
// the view's proportions first, as the panel fills the view with the box's
// smaller side.
void zoomToShow(TGeoPanel& panel, double minX, double maxX, double minY, double maxY) {
    const TViewState& v = panel.View();
    const double aspect = (v.MaxX - v.MinX) / std::max(v.MaxY - v.MinY, 1e-9);
    const double cx = (minX + maxX) / 2, cy = (minY + maxY) / 2;
    double w = std::max(maxX - minX, 1.0), h = std::max(maxY - minY, 1.0);
    if (w / h > aspect)
        h = w / aspect;
    else
        w = h * aspect;
    panel.ZoomToBox(cx - w / 2, cx + w / 2, cy - h / 2, cy + h / 2);
}

// The dialog's examples from the view's centre: its chome and block, and
// its latitude and longitude as the dialog reads them (none where the map's
// system cannot be converted).
std::pair<QString, QString> centreExamples(TGeoPanel& panel) {
    QString address = FromSjis(panel.CenterChome());
    if (!address.isEmpty() && !panel.CenterGaiku().empty()) address += " " + FromSjis(panel.CenterGaiku());
    const TViewState& v = panel.View();
    TCoordinateTranslator translator;
    translator.SetDatumShift(panel.Translator().GetDatumShift());
    translator.SetSource(panel.MapObject()->SourceFormat);
    translator.SetTarget(TCoordsFormat::cfGeodeticWGS);
    const std::optional<TGeoPoint2D> wgs = translator.TryTransform({(v.MinX + v.MaxX) / 2, (v.MinY + v.MaxY) / 2});
    if (!wgs) return {address, {}};
    return {address, QString("%1, %2")
                         .arg(wgs->Y / kGeographicUnitsPerDegree, 0, 'f', 4)
                         .arg(wgs->X / kGeographicUnitsPerDegree, 0, 'f', 4)};
}

}  // namespace

void TMainForm::createPlaceActions() {
    GoToPlace1 = new QAction("場所へ移動(&G)...", this);
    GoToPlace1->setObjectName("GoToPlace1");
    GoToPlace1->setProperty("category", "表示");
    GoToPlace1->setShortcut(QKeySequence("Ctrl+G"));
    GoToPlace1->setStatusTip("住所や緯度経度で場所を探して移動する");
    connect(GoToPlace1, &QAction::triggered, this, [this] { goToPlaceExecute(); });
    GoToPlaceForm = new TGoToPlaceForm(this);
}

void TMainForm::markUntilNextCommand() {
    // Every other command ends the place's mark (switching the readable
    // drawing only draws it differently); the map pressed ends it too.
    for (QAction* a : findChildren<QAction*>())
        if (a != GoToPlace1 && a != ViewReadable) connect(a, &QAction::triggered, this, [this] { clearPlaceMark(true); });
}

void TMainForm::clearPlaceMark(bool redraw) {
    TMapMarks& marks = GeoPanel1->Marks;
    if (!marks.Place && !marks.PlaceBounds) return;
    marks.Place.reset();
    marks.PlaceBounds.reset();
    if (redraw && GeoPanel1->DataLoaded()) GeoPanel1->Redraw();
}

void TMainForm::buildPlaceIndex() {
    dropPlaceIndex();
    if (!GeoPanel1->DataLoaded()) return;
    places_.Start([this, map = GeoPanel1->SharedMap()](std::stop_token) -> TBackgroundJob::Finish {
        // The index refers to the map's features, so it keeps the map alive.
        struct IndexOfMap {
            explicit IndexOfMap(std::shared_ptr<const TKDKObject> m) : map(std::move(m)), index(*map) {}
            std::shared_ptr<const TKDKObject> map;
            TPlaceIndex index;
        };
        // An index that cannot be built leaves the command disabled; the map
        // itself was read and stays usable.
        std::shared_ptr<const TPlaceIndex> index;
        try {
            auto built = std::make_shared<const IndexOfMap>(map);
            index = std::shared_ptr<const TPlaceIndex>(built, &built->index);
        } catch (...) {
        }
        return [this, index] {
            document_->PlaceIndex = index;
            updateActions();
        };
    });
}

void TMainForm::dropPlaceIndex() {
    places_.Abandon();
    document_->PlaceIndex.reset();
    GoToPlaceForm->SetIndex(nullptr);
}

bool TMainForm::PlaceIndexReady() const { return document_->PlaceIndex != nullptr; }

void TMainForm::goToPlaceExecute() {
    if (!document_->PlaceIndex || loading_) return;
    clearPlaceMark(false);
    GoToPlaceForm->SetIndex(document_->PlaceIndex.get());
    GoToPlaceForm->SetDatumShift(GeoPanel1->Translator().GetDatumShift());
    const auto [address, latLon] = centreExamples(*GeoPanel1);
    GoToPlaceForm->SetExamples(address, latLon);
    if (GoToPlaceForm->exec() != QDialog::Accepted || !GoToPlaceForm->Chosen()) return;
    ShowPlace(*GoToPlaceForm->Chosen());
}

void TMainForm::ShowPlace(const TPlaceMatch& place) {
    TMapMarks& marks = GeoPanel1->Marks;
    const TPlaceArea& a = place.Area;
    marks.Place = a.At;
    if (place.Kind == TPlaceKind::Point) {
        marks.PlaceBounds.reset();
        const double h = kStreetViewMetres / 2;
        zoomToShow(*GeoPanel1, a.At.X - h, a.At.X + h, a.At.Y - h, a.At.Y + h);
    } else {
        marks.PlaceBounds = std::make_pair(a.Min, a.Max);
        const double mx = (a.Max.X - a.Min.X) * kAreaMargin, my = (a.Max.Y - a.Min.Y) * kAreaMargin;
        zoomToShow(*GeoPanel1, a.Min.X - mx, a.Max.X + mx, a.Min.Y - my, a.Max.Y + my);
    }
    GeoPanel1->Redraw();
}
