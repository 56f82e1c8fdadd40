#pragma once
// Going to a place: what a text the user types names. A coordinate (decimal
// or degrees, minutes and seconds of latitude and longitude on WGS84, or plane
// metres after a coordinate-system name) gives one point in the map's own
// system; any other text is matched against the place names, exact matches
// before prefixes before matches inside a name, municipalities before chomes
// before blocks, each in name order.
#include <string>
#include <string_view>
#include <vector>

#include "places/place_index.h"
#include "view/datum_shift.h"

inline constexpr size_t kMaxPlaceMatches = 20;

struct TPlaceMatch {
    TPlaceKind Kind = TPlaceKind::Point;
    TPlaceArea Area;   // world metres of the map's system
    std::string Name;  // Shift-JIS; for a point the address there, empty outside every area
};

enum class TLocateStatus : uint8_t {
    Found,
    NothingFound,    // no name matches the text (or the text is empty)
    OutsideRange,    // a coordinate outside the area of use of every plane rectangular system
    NotPlaneSystem,  // metres after the name of a system that is not plane rectangular
    Malformed,       // coordinate-shaped but wrong: minutes of 60 or more, two latitudes ...
    NoConversion,    // the map's own system cannot take the point (no projection)
};

struct TLocateResult {
    TLocateStatus Status = TLocateStatus::NothingFound;
    std::vector<TPlaceMatch> Matches;  // best first, at most the limit
    // A coordinate went by the three-parameter shift because the grid has no
    // parameter there.
    bool Approximate = false;
};

// Reads the index and the map only; any number of threads may call it at once.
// `shift` converts coordinates on the Tokyo datum (dsGrid throws
// EDatumGridError when the grid cannot be used).
TLocateResult Locate(const TPlaceIndex& index, std::string_view queryUtf8, size_t limit = kMaxPlaceMatches,
                     TDatumShift shift = TDatumShift::dsHelmert);
