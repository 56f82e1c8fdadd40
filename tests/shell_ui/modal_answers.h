#pragma once
// Answers the viewer's modal dialogs from inside a test: the dialogs run their
// own event loops, so a timer acts on them once they are shown.
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <functional>

// Runs `act` on the next modal window of type W once it is shown, again on
// every tick until `act` answers true. Deleting the returned timer withdraws
// an answer that was not needed.
template <class W>
QPointer<QTimer> whenModal(std::function<bool(W*)> act) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (auto* w = dynamic_cast<W*>(QApplication::activeModalWidget())) {
            if (!act(w)) return;
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start();
    return timer;
}

struct ErrorBoxSeen {
    int count = 0;
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Records the next error box and presses its OK button.
inline void answerErrorBox(ErrorBoxSeen& seen) {
    whenModal<QMessageBox>([&seen](QMessageBox* box) {
        ++seen.count;
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
        return true;
    });
}

