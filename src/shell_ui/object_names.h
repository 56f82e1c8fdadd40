#pragma once
// The windows' components carry their design names as objectName, by which
// tests and tools find them; the members themselves stay private.
#include <QObject>
#include <initializer_list>
#include <utility>

inline void SetObjectNames(std::initializer_list<std::pair<QObject*, const char*>> named) {
    for (const auto& [object, name] : named) object->setObjectName(QString::fromLatin1(name));
}
