#pragma once
// The program's grab-hand cursor "HANDGRAB2", shown while the map is dragged.
#include <QCursor>

// Built from the resource on first use; needs a running QGuiApplication.
const QCursor& GrabHandCursor();
