#include "shell_ui/attrib_mini_form.h"

#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "shell_ui/object_names.h"

namespace {

// The smallest window, so that a short text does not give a sliver.
constexpr int kMinWidth = 200, kMinHeight = 120;

}  // namespace

TAttribMiniForm::TAttribMiniForm(QWidget* owner) : QWidget(owner, Qt::Tool | Qt::WindowStaysOnTopHint) {
    setWindowTitle("属性");
    Details = new QPlainTextEdit(this);
    Details->setReadOnly(true);
    Details->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Details);
    resize(kMinWidth, kMinHeight);
    SetObjectNames({{this, "AttribMiniForm"}, {Details, "Details"}});
}

void TAttribMiniForm::ShowDetails(const QString& text) {
    Details->clear();
    Details->setPlainText(text);
    fitToText(text);
    show();
    raise();
}

void TAttribMiniForm::fitToText(const QString& text) {
    // Laid out as the edit lays it out (the Japanese fallback font makes its
    // lines taller than the edit's own font says), plus the frame and room
    // for the scroll bars that appear when the screen is too small for it.
    QTextDocument probe;
    probe.setDefaultFont(Details->font());
    probe.setDocumentMargin(Details->document()->documentMargin());
    probe.setPlainText(text);
    const int frame = 2 * Details->frameWidth() + 4;
    const int bar = Details->verticalScrollBar()->sizeHint().width();
    QSize wanted(static_cast<int>(std::ceil(probe.idealWidth() + 2 * probe.documentMargin())) + frame + bar,
                 static_cast<int>(std::ceil(probe.size().height())) + frame + bar);
    wanted = wanted.expandedTo(QSize(kMinWidth, kMinHeight));
    if (const QScreen* screen = (parentWidget() ? parentWidget()->screen() : this->screen()))
        wanted = wanted.boundedTo(screen->availableGeometry().size() * 3 / 4);
    resize(wanted);
}
