#pragma once
// Parsing of the numbers and lists that the commands take as arguments.
#include <string>
#include <vector>

#include "geometry/geo_point.h"

namespace cli {

// A finite decimal number, the whole text.
bool parseNumber(const std::string& text, double& value);
// A decimal integer, the whole text.
bool parseInt(const std::string& text, int& value);
// Comma-separated finite numbers.
bool parseNumberList(const std::string& text, std::vector<double>& values);
// A world point from the X and Y arguments.
bool parseWorldPoint(const std::string& x, const std::string& y, TGeoPoint& p);
// "WxH" with both sides positive integers.
bool parseSize(const std::string& text, int& width, int& height);

}  // namespace cli
