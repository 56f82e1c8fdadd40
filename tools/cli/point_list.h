#pragma once
// The world points of a query command: one "X Y" pair from the arguments, or
// one per line of a file (or standard input for "-") with --points.
#include <optional>
#include <string>
#include <vector>

#include "geometry/geo_point.h"

namespace cli {

struct QueryPoint {
    std::string x, y;  // as written
    TGeoPoint at;
};

// Lines hold "X Y" or "X,Y" in metres; blank lines, lines starting with "#"
// and a UTF-8 byte order mark at the start are skipped (readInputLines). On a bad line or an unreadable file returns nothing and
// sets `problem` (naming the line number).
std::optional<std::vector<QueryPoint>> readPointList(const std::string& source, std::string& problem);

// The points of PATH X Y, or of PATH --points FILE|-. On a problem prints it
// (a usage error for bad arguments, a failure for a bad list), sets `status`
// and returns nothing.
std::optional<std::vector<QueryPoint>> queryPoints(const std::string& command, const std::vector<std::string>& positional,
                                                   const std::string& pointsSource, int& status);

}  // namespace cli
