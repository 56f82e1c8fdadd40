#pragma once
// Finds a window's part by its objectName, which carries the design's name
// (`GeoPanel1`, `FileOpen1`, `OKBtn`): tests and tools reach widgets,
// actions and child forms this way, the windows keep them private.
#include <QList>
#include <QObject>
#include <QtGlobal>
#include <typeinfo>

namespace testsupport {

// The one descendant of `parent` named `name` that is a T. Ends the program
// with the name when there is none or more than one: a window that lost or
// renamed a part fails its tests at once, not at a null pointer later.
template <class T>
T* Child(const QObject& parent, const char* name) {
    T* found = nullptr;
    int count = 0;
    for (QObject* o : parent.findChildren<QObject*>(QString::fromLatin1(name)))
        if (auto* t = dynamic_cast<T*>(o)) {
            found = t;
            ++count;
        }
    if (count != 1)
        qFatal("%d children named \"%s\" of type %s under %s, not one", count, name, typeid(T).name(),
               parent.metaObject()->className());
    return found;
}

}  // namespace testsupport
