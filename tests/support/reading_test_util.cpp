#include "support/reading_test_util.h"

#include <exception>

LoadAttempt loadMesh(const std::filesystem::path& description) {
    LoadAttempt a;
    try {
        LoadMesh(*a.map, sjis::fromUtf8(description.string()), a.errors);
        a.ok = true;
    } catch (const std::exception& e) {
        a.fatal = e.what();
    }
    return a;
}
