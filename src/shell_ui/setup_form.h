#pragma once
// TSetupForm ("環境設定"): the eight display categories and the shift of the
// Tokyo datum, the cache folder with its size, emptying it now or at program
// end, the number of meshes read at once, and the error log.
#include <QDialog>
#include <string>

#include "map/error_list.h"
#include "view/datum_shift.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;

class TSetupForm : public QDialog {
public:
    explicit TSetupForm(QWidget* owner);

    // The check box of a category code; false / ignored for other codes.
    bool GetCategory(int code) const;
    void SetCategory(int code, bool on);
    // The cache folder, Shift-JIS.
    void SetCacheFolder(const std::string& path);
    std::string GetCacheFolder() const;
    // Fills the log with the list's lines; a null list leaves it as it is.
    void SetErrorLog(const TErrorList* list);
    void SetDatumShift(TDatumShift shift);
    TDatumShift GetDatumShift() const;
    void SetClearAtEnd(bool on);
    bool GetClearAtEnd() const;
    // Meshes read at once; 0 for one per core.
    void SetReadingJobs(int jobs);
    int GetReadingJobs() const;
    void UpdateCacheSize();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Components; each carries its design name as objectName.
    QTabWidget* PageControl1;
    QCheckBox *cbVC11, *cbVC21, *cbVC23, *cbVC24, *cbVC35, *cbVC51, *cbVC62, *cbVC73;
    QGroupBox* rgDatumShift;  // 日本測地系の変換
    QRadioButton *rbDatumHelmert, *rbDatumGrid;
    QLabel* lbVolume;
    QLineEdit* eCacheFilePath;
    QPushButton* btnCashClear;
    QCheckBox* cbEndCacheClear;
    QSpinBox* seReadingJobs;  // 同時に読み込むメッシュ数
    QPlainTextEdit* ErrorLog;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

    // The check box of each display category, in table order.
    static QCheckBox* TSetupForm::*const kCategoryBoxes[];
    QCheckBox* box(int code) const;
    void btnCashClearClick();
};
