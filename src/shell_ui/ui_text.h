#pragma once
// Shift-JIS texts of the map logic to and from the widgets' Unicode.
#include <QString>
#include <string>

#include "base/sjis.h"

inline QString FromSjis(const std::string& text) { return QString::fromStdString(sjis::toUtf8(text)); }
inline std::string ToSjis(const QString& text) { return sjis::fromUtf8(text.toStdString()); }
