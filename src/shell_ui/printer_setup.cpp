#include "shell_ui/printer_setup.h"

#include <QDialogButtonBox>
#include <QPrintDialog>
#include <QPushButton>

bool ShowPrinterSetup(QPrinter& printer, QWidget* owner) {
    QPrintDialog dialog(&printer, owner);
    dialog.setWindowTitle("プリンタの設定");
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    // It only chooses; the print dialog's OK prints.
    for (auto* box : dialog.findChildren<QDialogButtonBox*>())
        if (QPushButton* ok = box->button(QDialogButtonBox::Ok)) ok->setText("OK");
    return dialog.exec() == QDialog::Accepted;
}
