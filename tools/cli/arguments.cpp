#include "arguments.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace cli {

bool parseNumber(const std::string& text, double& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return end == text.c_str() + text.size() && std::isfinite(value);
}

bool parseInt(const std::string& text, int& value) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && !text.empty();
}

bool parseNumberList(const std::string& text, std::vector<double>& values) {
    values.clear();
    size_t start = 0;
    while (true) {
        const size_t comma = text.find(',', start);
        double v;
        if (!parseNumber(text.substr(start, comma - start), v)) return false;
        values.push_back(v);
        if (comma == std::string::npos) return true;
        start = comma + 1;
    }
}

bool parseWorldPoint(const std::string& x, const std::string& y, TGeoPoint& p) {
    p = MakePoint(0, 0, 0);
    return parseNumber(x, p.X) && parseNumber(y, p.Y);
}

bool parseSize(const std::string& text, int& width, int& height) {
    const size_t x = text.find_first_of("xX");
    return x != std::string::npos && parseInt(text.substr(0, x), width) &&
           parseInt(text.substr(x + 1), height) && width > 0 && height > 0;
}

}  // namespace cli
