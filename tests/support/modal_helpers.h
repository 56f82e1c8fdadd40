#pragma once
// Answering the modal windows that the viewer's commands open, from a timer
// running inside their event loop.
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <functional>

namespace testsupport {

// Runs `act` on the next modal window of type W once it is shown, again on
// every tick until `act` answers true.
template <class W>
void whenModal(std::function<bool(W*)> act) {
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
}

struct MessageBoxSeen {
    int count = 0;
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Records the next message box and presses its OK button.
inline void answerMessageBox(MessageBoxSeen& seen) {
    whenModal<QMessageBox>([&seen](QMessageBox* box) {
        ++seen.count;
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
        return true;
    });
}

}  // namespace testsupport
