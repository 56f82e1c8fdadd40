#pragma once
// TSearchAttribForm ("文字列検索"): the attribute search dialog. It stays on
// top beside the map while the user steps through the hits: the first press
// of "次を検索" searches the map through the panel, reports the count in
// status panel 3 and highlights every hit; each press then zooms onto the
// next hit, without wrapping around. Hiding the dialog removes the highlight.
#include <QDialog>
#include <functional>
#include <utility>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class TGeoPanel;

class TSearchAttribForm : public QDialog {
public:
    TSearchAttribForm(TGeoPanel& panel, QWidget* owner);

    // Sets what shows a text in status panel 3 of the main window.
    void SetOnStatus(std::function<void(const QString&)> onStatus) { OnStatus = std::move(onStatus); }

    static constexpr int kHistorySize = 10;
    static constexpr double kShowMargin = 50;  // metres around the shown hit

    int FoundIndex() const { return FFoundIndex; }
    int FoundCount() const { return FFoundCount; }
    bool SearchDown() const { return FSearchDown; }
    int TargetMajor() const { return FTargetMajor; }
    int TargetMinor() const { return FTargetMinor; }
    bool NeedSearch() const { return FNeedSearch; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // Components; each carries its design name as objectName.
    QLabel* lbTarget;
    QComboBox* cbTarget;  // "すべて" and the eight categories
    QLabel* lbSearchText;
    QComboBox* SearchText;  // an edit whose drop-down holds the last searched texts
    QGroupBox* rgDirection;
    QRadioButton *rgDirectionUp, *rgDirectionDown;  // "上へ", "下へ"
    QCheckBox* cbRegExp;
    QPushButton* btnSearch;  // default button (Enter)
    QPushButton* btnCancel;  // cancel button (Esc)

    void FormShow();
    void FormHide();
    void SearchTextChange();
    void cbTargetChange();
    void cbRegExpClick();
    void rgDirectionClick();
    void btnSearchClick();
    void StepIndex();
    void remember(const QString& text);
    void showStatus(const QString& text);

    TGeoPanel& panel_;
    std::function<void(const QString&)> OnStatus;
    int FFoundIndex = 0;      // the hit the next press shows
    bool FSearchDown = true;  // "下へ"
    int FTargetMajor = -1;    // -1: any
    int FTargetMinor = -1;
    int FFoundCount = 0;  // hits of the last search; -1 when no map was loaded
    bool FNeedSearch = false;
};
