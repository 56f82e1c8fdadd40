#include "shell_ui/attrib_mini_form.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

TAttribMiniForm::TAttribMiniForm(QWidget* owner) : QWidget(owner, Qt::Tool | Qt::WindowStaysOnTopHint) {
    setWindowTitle("属性");
    Details = new QPlainTextEdit(this);
    Details->setReadOnly(true);
    Details->setLineWrapMode(QPlainTextEdit::NoWrap);
    Details->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Details);
    resize(200, 200);
}

void TAttribMiniForm::ShowDetails(const QString& text) {
    Details->clear();
    Details->setPlainText(text);
    show();
    raise();
}
