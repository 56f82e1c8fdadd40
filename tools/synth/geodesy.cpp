#include "geodesy.h"

#include <cmath>
#include <cstdio>

namespace synth {
namespace {

constexpr double kA = 6378137.0;               // GRS80 semi-major axis
constexpr double kF = 1.0 / 298.257222101;     // GRS80 flattening
constexpr double kM0 = 0.9999;                 // scale factor on the central meridian
constexpr double kDeg = 3.14159265358979323846 / 180.0;

// Meridian arc length from the equator to latitude phi (radians), times m0.
double meridianArc(double phi, double n) {
    const double n2 = n * n, n3 = n2 * n, n4 = n3 * n, n5 = n4 * n;
    const double a0 = 1 + n2 / 4 + n4 / 64;
    const double a1 = -1.5 * (n - n3 / 8 - n5 / 64);
    const double a2 = 15.0 / 16.0 * (n2 - n4 / 4);
    const double a3 = -35.0 / 48.0 * (n3 - 5.0 / 16.0 * n5);
    const double a4 = 315.0 / 512.0 * n4;
    const double a5 = -693.0 / 1280.0 * n5;
    return kM0 * kA / (1 + n) *
           (a0 * phi + a1 * std::sin(2 * phi) + a2 * std::sin(4 * phi) + a3 * std::sin(6 * phi) +
            a4 * std::sin(8 * phi) + a5 * std::sin(10 * phi));
}

}  // namespace

LatLon planeToGeodetic(double northing, double easting, LatLon origin) {
    const double n = kF / (2 - kF);
    const double n2 = n * n, n3 = n2 * n, n4 = n3 * n, n5 = n4 * n, n6 = n5 * n;
    const double beta[5] = {
        n / 2 - 2.0 / 3.0 * n2 + 37.0 / 96.0 * n3 - n4 / 360.0 - 81.0 / 512.0 * n5,
        n2 / 48.0 + n3 / 15.0 - 437.0 / 1440.0 * n4 + 46.0 / 105.0 * n5,
        17.0 / 480.0 * n3 - 37.0 / 840.0 * n4 - 209.0 / 4480.0 * n5,
        4397.0 / 161280.0 * n4 - 11.0 / 504.0 * n5,
        4583.0 / 161280.0 * n5,
    };
    const double delta[6] = {
        2 * n - 2.0 / 3.0 * n2 - 2 * n3 + 116.0 / 45.0 * n4 + 26.0 / 45.0 * n5 - 2854.0 / 675.0 * n6,
        7.0 / 3.0 * n2 - 8.0 / 5.0 * n3 - 227.0 / 45.0 * n4 + 2704.0 / 315.0 * n5 + 2323.0 / 945.0 * n6,
        56.0 / 15.0 * n3 - 136.0 / 35.0 * n4 - 1262.0 / 105.0 * n5 + 73814.0 / 2835.0 * n6,
        4279.0 / 630.0 * n4 - 332.0 / 35.0 * n5 - 399572.0 / 14175.0 * n6,
        4174.0 / 315.0 * n5 - 144838.0 / 6237.0 * n6,
        601676.0 / 22275.0 * n6,
    };
    const double aBar = kM0 * kA / (1 + n) * (1 + n2 / 4 + n4 / 64);
    const double xi = (northing + meridianArc(origin.lat * kDeg, n)) / aBar;
    const double eta = easting / aBar;
    double xi1 = xi, eta1 = eta;
    for (int j = 1; j <= 5; ++j) {
        xi1 -= beta[j - 1] * std::sin(2 * j * xi) * std::cosh(2 * j * eta);
        eta1 -= beta[j - 1] * std::cos(2 * j * xi) * std::sinh(2 * j * eta);
    }
    const double chi = std::asin(std::sin(xi1) / std::cosh(eta1));
    double phi = chi;
    for (int j = 1; j <= 6; ++j) phi += delta[j - 1] * std::sin(2 * j * chi);
    const double lambda = origin.lon * kDeg + std::atan2(std::sinh(eta1), std::cos(xi1));
    return {phi / kDeg, lambda / kDeg};
}

namespace {

struct MeshDigits {
    int p, u, q, v, r, w;
};

MeshDigits meshDigits(LatLon pos) {
    const double latUnits = pos.lat * 1.5;  // first-order rows are 40' high
    MeshDigits d{};
    d.p = static_cast<int>(std::floor(latUnits));
    d.u = static_cast<int>(std::floor(pos.lon)) - 100;
    const double latRest = (latUnits - d.p) * 8;
    const double lonRest = (pos.lon - std::floor(pos.lon)) * 8;
    d.q = static_cast<int>(std::floor(latRest));
    d.v = static_cast<int>(std::floor(lonRest));
    d.r = static_cast<int>(std::floor((latRest - d.q) * 10));
    d.w = static_cast<int>(std::floor((lonRest - d.v) * 10));
    return d;
}

}  // namespace

std::string thirdMeshCode(LatLon p) {
    const MeshDigits d = meshDigits(p);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d%02d%d%d%d%d", d.p, d.u, d.q, d.v, d.r, d.w);
    return buf;
}

std::string secondMeshCode(LatLon p) {
    const MeshDigits d = meshDigits(p);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d%02d%d%d", d.p, d.u, d.q, d.v);
    return buf;
}

std::string formatDms(double degrees, int secondDecimals) {
    const double scale = std::pow(10.0, secondDecimals);
    // Work in whole units of the last decimal so that rounding carries into
    // the minutes and degrees.
    const long long units = std::llround(std::fabs(degrees) * 3600.0 * scale);
    const long long perMinute = static_cast<long long>(60 * scale);
    const long long deg = units / (60 * perMinute);
    const long long min = units / perMinute % 60;
    const double sec = static_cast<double>(units % perMinute) / scale;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%s%lld°%02lld′%0*.*f″", degrees < 0 ? "-" : "", deg, min,
                  secondDecimals > 0 ? secondDecimals + 3 : 2, secondDecimals, sec);
    return buf;
}

}  // namespace synth
