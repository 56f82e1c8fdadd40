#include "places/locate.h"

#include <cmath>
#include <map>
#include <memory>
#include <optional>
#include <tuple>

#include "base/sjis.h"
#include "places/address_match.h"
#include "places/coordinate_text.h"
#include "places/place_text.h"
#include "queries/map_queries.h"
#include "view/coordinate_translator.h"
#include "view/coords_area.h"
#include "view/coords_table.h"

namespace {

// The point in the other system; nothing when either side has no projection
// or PROJ cannot convert it. Translators are made once per pair, shift and
// thread, as PROJ's objects must not be shared between threads.
std::optional<TGeoPoint2D> Convert(TCoordsFormat from, TCoordsFormat to, const TGeoPoint2D& p, TDatumShift shift,
                                   bool& approximate) {
    if (from == to) return p;
    using Key = std::tuple<TCoordsFormat, TCoordsFormat, TDatumShift>;
    thread_local std::map<Key, std::unique_ptr<TCoordinateTranslator>> made;
    std::unique_ptr<TCoordinateTranslator>& t = made[{from, to, shift}];
    if (!t) {
        auto fresh = std::make_unique<TCoordinateTranslator>();
        fresh->SetDatumShift(shift);
        fresh->SetSource(from);
        fresh->SetTarget(to);
        t = std::move(fresh);
    }
    if (t->GetSourceFormat() != from || t->GetTargetFormat() != to) return std::nullopt;
    bool approximateHere = false;
    const std::optional<TGeoPoint2D> converted = t->TryTransform(p, approximateHere);
    approximate = approximate || approximateHere;
    return converted;
}

// The address at a point as the centre address gives it: prefecture, city
// and chome run together, a space and the block.
std::string AddressAt(const TKDKObject& map, const TGeoPoint2D& p) {
    const TCentreAddress a = CentreAddress(map, MakePoint(p.X, p.Y, 0));
    std::string name = a.Prefecture + a.City + a.Chome;
    if (!a.Block.empty()) name += (name.empty() ? "" : " ") + a.Block;
    return name;
}

TLocateResult PointAt(const TPlaceIndex& index, double latitude, double longitude, TDatumShift shift,
                      bool approximate) {
    if (std::abs(latitude) > 90 || std::abs(longitude) > 180 || !InPlaneSystemsArea(longitude, latitude))
        return {TLocateStatus::OutsideRange, {}};
    const TCoordsFormat own = index.Map().SourceFormat;
    const std::optional<TGeoPoint2D> at =
        Convert(TCoordsFormat::cfGeodeticWGS, own,
                {longitude * kGeographicUnitsPerDegree, latitude * kGeographicUnitsPerDegree}, shift, approximate);
    if (!at) return {TLocateStatus::NoConversion, {}};
    return {TLocateStatus::Found, {{TPlaceKind::Point, {*at, *at, *at}, AddressAt(index.Map(), *at)}}, approximate};
}

}  // namespace

TLocateResult Locate(const TPlaceIndex& index, std::string_view queryUtf8, size_t limit, TDatumShift shift) {
    const std::string folded = placetext::FoldWidth(queryUtf8);
    if (folded.empty()) return {};
    const TCoordinateText c = ParseCoordinateText(folded);
    switch (c.Form) {
        case TCoordinateText::ctLatLon:
            return PointAt(index, c.Latitude, c.Longitude, shift, false);
        case TCoordinateText::ctPlane: {
            // Judged by where it lies on the earth, then taken into the map's system.
            bool approximate = false;
            const std::optional<TGeoPoint2D> wgs =
                Convert(c.System, TCoordsFormat::cfGeodeticWGS, {c.X, c.Y}, shift, approximate);
            if (!wgs) return {TLocateStatus::OutsideRange, {}};
            TLocateResult r =
                PointAt(index, wgs->Y / kGeographicUnitsPerDegree, wgs->X / kGeographicUnitsPerDegree, shift, approximate);
            // The map's own system gives the point back exactly as written.
            if (r.Status == TLocateStatus::Found && c.System == index.Map().SourceFormat) {
                const TGeoPoint2D at{c.X, c.Y};
                r.Matches[0] = {TPlaceKind::Point, {at, at, at}, AddressAt(index.Map(), at)};
                r.Approximate = false;
            }
            return r;
        }
        case TCoordinateText::ctNotPlane:
            return {TLocateStatus::NotPlaneSystem, {}};
        case TCoordinateText::ctMalformed:
            return {TLocateStatus::Malformed, {}};
        case TCoordinateText::ctNone:
            break;
    }
    TLocateResult r{TLocateStatus::Found, MatchAddress(index, sjis::fromUtf8(folded), limit)};
    if (r.Matches.empty()) r.Status = TLocateStatus::NothingFound;
    return r;
}
