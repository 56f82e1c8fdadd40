#pragma once
// The pointer's latitude and longitude as the status bar shows them:
// degrees, minutes, seconds and hundredths of a second, e.g. "N 35.41.22.50".
#include <string>

namespace latlon {

// Value in hundredths of an arc-second (1 degree = 360000), rounded to the
// nearest integer with halves to even. A negative value gives negative parts
// after the fixed letter ("N -35.-41.-22.-50"); the letter is always N or E.
std::string latitudeText(double value);
std::string longitudeText(double value);

}  // namespace latlon
