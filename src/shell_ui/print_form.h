#pragma once
// TPrintForm ("印刷"): the current printer with the button to set it up, the
// print range, the number of copies and the four margins in millimetres, and
// a preview of the page. Created once, so the controls keep the user's last
// values for the run.
#include <QDialog>
#include <functional>

#include "shell_ui/print_map.h"

class QButtonGroup;
class QGroupBox;
class QLabel;
class QPrinter;
class QPushButton;
class QSpinBox;

class TPrintForm : public QDialog {
public:
    TPrintForm(QWidget* owner, QPrinter& printer);

    QLabel* Label1;
    QLabel* lbPrinterName;
    QGroupBox* rgArea;  // "印刷範囲": item 0 "表示部分", item 1 "全領域"
    QSpinBox* seCopies;
    QSpinBox *seLeft, *seRight, *seTop, *seBottom;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QPushButton* btnPrintSetup;
    QPushButton* btnPreview;

    // The chosen item of rgArea.
    int AreaIndex() const;
    void SetAreaIndex(int index);

    // The results, taken from the controls by OK.
    int MarginLeft = 10, MarginTop = 10, MarginRight = 10, MarginBottom = 10;
    int Copies = 1;
    bool WholeArea = false;

    // The controls' current values (the preview shows them before OK).
    TPrintRequest ControlRequest() const;
    // What プレビュー runs, with ControlRequest.
    std::function<void(const TPrintRequest&)> OnPreview;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void okBtnClick();
    void btnPrintSetupClick();

    QPrinter& printer_;
    QButtonGroup* areaItems_;
};
