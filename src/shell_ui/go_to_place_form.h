#pragma once
// TGoToPlaceForm, "場所へ移動": a line edit whose text is looked up in the
// map's place index as it is typed (a coordinate, or an address as far as it
// goes), the matches listed best first; choosing one (double-click, Enter or
// OK) closes the dialog with that match.
#include <QDialog>
#include <optional>

#include "places/locate.h"

class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QListWidget;

class TGoToPlaceForm : public QDialog {
public:
    explicit TGoToPlaceForm(QWidget* parent = nullptr);

    // The index the text is looked up in (not owned; none: nothing is listed).
    void SetIndex(const TPlaceIndex* index);
    // How a latitude and longitude reaches a map on the Tokyo datum.
    void SetDatumShift(TDatumShift shift) { shift_ = shift; }
    // The example texts of the empty edit, taken from the loaded map (an
    // address and a "lat, lon" there); an empty one is left out.
    void SetExamples(const QString& address, const QString& latLon);
    // The match chosen when the dialog was accepted.
    const std::optional<TPlaceMatch>& Chosen() const { return chosen_; }

private:
    // Components; each carries its design name as objectName.
    QLineEdit* eQuery;
    QListWidget* lbMatches;
    QLabel* lblStatus;  // why nothing is listed
    QDialogButtonBox* buttons;

    void lookUp();
    void choose();

    const TPlaceIndex* index_ = nullptr;
    TDatumShift shift_ = TDatumShift::dsHelmert;
    TLocateResult result_;
    std::optional<TPlaceMatch> chosen_;
};

// The list's text of a match kind.
QString PlaceKindText(TPlaceKind kind);
