#pragma once
// TPrintForm ("印刷"): the current printer with the button to set it up, the
// print range, the number of copies, the scale (縮尺, empty for the range's
// own), the four margins in millimetres, and a preview of the pages. Created
// once, so the controls keep the user's last values for the run.
#include <QDialog>
#include <functional>
#include <utility>

#include "shell_ui/print_map.h"

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;
class QSpinBox;

class TPrintForm : public QDialog {
public:
    TPrintForm(QWidget* owner, QPrinter& printer);

    // The chosen item of rgArea.
    int AreaIndex() const;
    void SetAreaIndex(int index);

    // The results, taken from the controls by OK.
    int MarginLeft() const { return chosen_.Margins.Left; }
    int MarginTop() const { return chosen_.Margins.Top; }
    int MarginRight() const { return chosen_.Margins.Right; }
    int MarginBottom() const { return chosen_.Margins.Bottom; }
    int Copies() const { return chosen_.Copies; }
    bool WholeArea() const { return chosen_.WholeArea; }
    // The chosen scale denominator; 0 when 縮尺 was left empty.
    double Scale() const { return chosen_.Scale; }

    // The controls' current values (the preview shows them before OK).
    TPrintRequest ControlRequest() const;
    // Sets what プレビュー runs, with ControlRequest.
    void SetOnPreview(std::function<void(const TPrintRequest&)> onPreview) { OnPreview = std::move(onPreview); }

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Components; each carries its design name as objectName.
    QLabel* Label1;
    QLabel* lbPrinterName;
    QGroupBox* rgArea;  // "印刷範囲": item 0 "表示部分", item 1 "全領域"
    QSpinBox* seCopies;
    QLineEdit* eScale;  // "縮尺": 1:N, empty for the range's own scale
    QSpinBox *seLeft, *seRight, *seTop, *seBottom;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QPushButton* btnPrintSetup;
    QPushButton* btnPreview;

    void okBtnClick();
    // OK and プレビュー only while 縮尺 is empty or a scale that can be printed.
    void scaleEdited();
    void btnPrintSetupClick();

    QPrinter& printer_;
    QButtonGroup* areaItems_;
    TPrintRequest chosen_;
    std::function<void(const TPrintRequest&)> OnPreview;
};
