#pragma once
#include <filesystem>
#include <memory>
#include <string>

#include "base/sjis.h"
#include "map/kdk_object.h"
#include "reading/description.h"
#include "reading/layer_readers.h"
#include "queries/map_queries.h"
#include "drawing/feature_drawing.h"

inline std::string sj(const char* utf8) { return sjis::fromUtf8(utf8); }

// The outcome of reading one mesh: what the map kept, the error list and the
// message of the error that ended the loading (empty when none did).
struct LoadAttempt {
    std::unique_ptr<TKDKObject> map = std::make_unique<TKDKObject>();
    TErrorList errors;
    std::string fatal;
    bool ok = false;  // no error ended the loading
};

LoadAttempt loadMesh(const std::filesystem::path& description);
