// The About box shows the version the program was started with (the
// project's version and git commit, set by main).
#include <QLabel>
#include <QTest>

#include "shell_ui/about_box.h"
#include "shell_ui/orvelle_application.h"
#include "support/child.h"

using testsupport::Child;

class AboutBoxTest : public QObject {
    Q_OBJECT

private slots:
    void showsTheApplicationsVersionInsideThePicture() {
        QCoreApplication::setApplicationVersion("12.34.56 (git 0123456789ab-dirty)");
        TAboutBox box(nullptr);
        QCOMPARE(Child<QLabel>(box, "Version")->text(), QString("Version 12.34.56 (git 0123456789ab-dirty)"));
        QCOMPARE(Child<QLabel>(box, "Version")->parentWidget(), Child<QLabel>(box, "Image1"));
        QVERIFY(Child<QLabel>(box, "Version")->geometry().right() < Child<QLabel>(box, "Image1")->width());
    }
};

int main(int argc, char** argv) {
    TOrvelleApplication app(argc, argv);
    AboutBoxTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "about_box_test.moc"
