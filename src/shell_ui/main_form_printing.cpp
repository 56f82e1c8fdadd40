// The main window's print, printer setup and print preview commands.
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <exception>

#include "shell_ui/main_form.h"
#include "shell_ui/orvelle_application.h"
#include "shell_ui/print_form.h"
#include "shell_ui/printer_setup.h"
#include "shell_ui/ui_text.h"

namespace {

void showPrintAreaTooSmall(QWidget* owner) {
    QMessageBox box(QMessageBox::NoIcon, "エラー", FromSjis(PrintAreaTooSmallText()), QMessageBox::Ok, owner);
    box.exec();
}

// Clears the flag when the command ends, also by an exception.
class PrintingFlag {
public:
    explicit PrintingFlag(bool& flag) : flag_(flag) { flag_ = true; }
    ~PrintingFlag() { flag_ = false; }
    PrintingFlag(const PrintingFlag&) = delete;
    PrintingFlag& operator=(const PrintingFlag&) = delete;

private:
    bool& flag_;
};

}  // namespace

void TMainForm::filePrintExecute() {
    // One print at a time: pressed again while the dialog, the preview or a job is running, it does nothing.
    if (printing_) return;
    const PrintingFlag flag(printing_);
    if (PrintForm->exec() != QDialog::Accepted) return;
    PrintMap(PrintForm->MarginLeft(), PrintForm->MarginTop(), PrintForm->MarginRight(), PrintForm->MarginBottom(),
             PrintForm->Copies(), PrintForm->WholeArea(), PrintForm->Scale());
}

void TMainForm::PrintMap(int MarginLeft, int MarginTop, int MarginRight, int MarginBottom, int Copies,
                         bool WholeArea, double Scale) {
    const TPrintRequest request{{MarginLeft, MarginTop, MarginRight, MarginBottom}, Copies, WholeArea, Scale};
    if (!::PrintMap(*GeoPanel1, *printer_, request)) showPrintAreaTooSmall(this);
}

void TMainForm::filePrintSetupExecute() { ShowPrinterSetup(*printer_, this); }

void TMainForm::previewMap(const TPrintRequest& request) {
    if (!PrintRectangle(PrintPageOf(*printer_), request.Margins)) {
        showPrintAreaTooSmall(PrintForm);
        return;
    }
    QPrintPreviewDialog preview(printer_.get(), PrintForm);
    preview.setWindowTitle("印刷プレビュー");
    // The preview draws each page through PrintMap; an error there must not
    // unwind through the preview's own code.
    connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [this, request](QPrinter* printer) {
        try {
            ::PrintMap(*GeoPanel1, *printer, request);
        } catch (const std::exception& e) {
            ShowErrorBox(e);
        }
    });
    preview.exec();
}
