#include "view_qt/grab_cursor.h"

#include <QPixmap>

static void initCursorResources() { Q_INIT_RESOURCE(view_qt_cursors); }

const QCursor& GrabHandCursor() {
    static const QCursor cursor = [] {
        initCursorResources();
        const QPixmap hand(QStringLiteral(":/orvelle/cursors/HANDGRAB2"), "XPM");
        return QCursor(hand, hand.width() / 2, hand.height() / 2);
    }();
    return cursor;
}
