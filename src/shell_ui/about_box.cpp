#include "shell_ui/about_box.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "shell_ui/object_names.h"

const QUrl TAboutBox::ProjectPage("https://github.com/orvelle/orvelle");

namespace {

QLabel* overPicture(QWidget* picture, const QString& text, QPoint at, int pixelSize, bool bold, bool italic) {
    auto* label = new QLabel(text, picture);
    QFont font = label->font();
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setItalic(italic);
    label->setFont(font);
    label->setStyleSheet("color: white; background: transparent;");
    label->move(at);
    label->adjustSize();
    return label;
}

}  // namespace

TAboutBox::TAboutBox(QWidget* owner) : QDialog(owner) {
    setWindowTitle("バージョン情報");
    OpenUrl = [](const QUrl& url) { QDesktopServices::openUrl(url); };

    Image1 = new QLabel(this);
    // The picture is a JPEG decoded when the box is created.
    Image1->setPixmap(QPixmap(":/orvelle/about/about.jpg", "JPG"));
    Image1->setFixedSize(Image1->pixmap().size().isEmpty() ? QSize(360, 240) : Image1->pixmap().size());
    ProductName = overPicture(Image1, "Orvelle", {16, 12}, 32, true, true);
    // The application's version: the project's, and the git commit it was built from.
    Version = overPicture(Image1, "Version " + QCoreApplication::applicationVersion(), {20, 56}, 13, false, false);
    Copyright = overPicture(Image1, "Copyright (C) 2026 the Orvelle developers", {20, Image1->height() - 28}, 12,
                            false, false);

    lbCompany = new QLabel("The Orvelle Project", this);
    lbZip = new QLabel("数値地図2500 のためのフリーソフトウェア", this);
    lbAddress = new QLabel(ProjectPage.toString(), this);
    lbPhone = new QLabel("ご質問・不具合のご報告はプロジェクトの課題管理へ", this);
    lbGridSource = new QLabel("出典：国土地理院 TKY2JGD.par (Ver.2.1.2)、touhokutaiheiyouoki2011.par (Ver.4.0.0) "
                              "を加工して作成",
                              this);
    OKButton = new QPushButton("OK", this);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Image1, 0, Qt::AlignHCenter);
    for (QLabel* l : {lbCompany, lbZip, lbAddress, lbPhone, lbGridSource}) layout->addWidget(l, 0, Qt::AlignHCenter);
    layout->addWidget(OKButton, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);  // fixed dialog border

    for (QLabel* l : {Image1, ProductName, Version, Copyright, lbCompany, lbZip, lbAddress, lbPhone}) {
        l->setCursor(Qt::PointingHandCursor);
        l->installEventFilter(this);
    }
    SetObjectNames({{this, "AboutBox"}, {Image1, "Image1"}, {ProductName, "ProductName"}, {Version, "Version"},
                    {Copyright, "Copyright"}, {lbCompany, "lbCompany"}, {lbZip, "lbZip"}, {lbAddress, "lbAddress"},
                    {lbPhone, "lbPhone"}, {lbGridSource, "lbGridSource"}, {OKButton, "OKButton"}});
}

bool TAboutBox::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        OpenUrl(ProjectPage);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TAboutBox::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen())
        move(s->availableGeometry().center() - rect().center());
}
