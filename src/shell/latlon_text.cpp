#include "shell/latlon_text.h"

#include <cstdio>

#include "base/rounding.h"

namespace latlon {
namespace {

constexpr int kPerDegree = 360000;
constexpr int kPerMinute = 6000;
constexpr int kPerSecond = 100;

// Integer division truncates towards zero and the remainder keeps the
// value's sign, so every part of a negative value is negative.
std::string degreesMinutesSeconds(char letter, double value) {
    const int32_t n = rounding::toInt32(value);
    const int32_t degrees = n / kPerDegree;
    const int32_t minutes = n % kPerDegree / kPerMinute;
    const int32_t seconds = n % kPerDegree % kPerMinute / kPerSecond;
    const int32_t hundredths = n % kPerSecond;
    char text[48];
    std::snprintf(text, sizeof text, "%c %d.%.2d.%.2d.%.2d", letter, static_cast<int>(degrees),
                  static_cast<int>(minutes), static_cast<int>(seconds),
                  static_cast<int>(hundredths));
    return text;
}

}  // namespace

std::string latitudeText(double value) { return degreesMinutesSeconds('N', value); }
std::string longitudeText(double value) { return degreesMinutesSeconds('E', value); }

}  // namespace latlon
