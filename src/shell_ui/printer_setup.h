#pragma once
// The platform's printer setup: Qt's print dialog choosing the printer (or a
// PDF file), the paper and its orientation for later print jobs.
class QPrinter;
class QWidget;

// True when the user confirmed; the printer then holds the choices.
bool ShowPrinterSetup(QPrinter& printer, QWidget* owner);
