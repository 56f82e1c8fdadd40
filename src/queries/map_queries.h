#pragma once
// What the map answers about a point or a text: the features there, their
// details texts, the address, and the features whose attribute texts match.
// Every query reads the map only, so threads may ask at once.
#include <string>
#include <vector>

#include "map/kdk_object.h"

class TAWKStr;

// Whether the world point lies on the feature within `tolerance` metres (lines:
// plus half their width; polygons: inside, the tolerance unused). Other kinds: false.
bool HitTest(const TKDKElement& feature, const TGeoPoint& p, double tolerance);

// The box of the features that can be hit at p within `reach` metres: a
// micrometre wider, so that rounding in the exact tests never meets its edge.
TGridBox BoxAround(const TGeoPoint& p, double reach);

// Appends lines, then polygons in drawing order, then points whose HitTest
// succeeds; returns how many were appended.
int HitFeatures(const TKDKObject& map, const TGeoPoint& p, std::vector<const TKDKElement*>& hits,
                double tolerance);
// The details texts of every feature hit at the point, joined in hit order.
std::string PointedDetails(const TKDKObject& map, const TGeoPoint& p, double tolerance);

// The details text: heading, value lines and separator, CR LF line ends;
// empty for a feature without an attribute record and for other kinds.
std::string GetDetails(const TKDKElement& feature);
// The heading of the details text of a feature of that kind and code
// ("市区町村", "道路線" ...; Shift-JIS), whether or not it has a record; empty
// for codes whose details have none.
const std::string& DetailsHeading(TFeatureKind kind, int major, int minor);

// The names at a world point: prefecture, city, chome and block number(s).
struct TCentreAddress {
    std::string Prefecture, City, Chome, Block;
};
// The names of the administrative areas containing the point. Raises
// EConvertError for a municipality code that does not start with digits.
TCentreAddress CentreAddress(const TKDKObject& map, const TGeoPoint& p);

// Whether one of the feature's attribute texts equals `text` or, with a
// pattern, matches it. A feature without a record never matches.
bool MatchAttrib(const TKDKElement& feature, const std::string& text, TAWKStr* pattern);
// Appends to `found` every line, then polygon (drawing order), then point
// whose attribute texts match `text` (byte-wise, or as a pattern when
// `useRegex`), among the features of the given major code (-1: any) and
// minor code (-1: any). Returns how many it appended. A malformed pattern
// raises ERegExpParser. The pattern object belongs to the call.
int SearchAttrib(const TKDKObject& map, int major, int minor, std::vector<const TKDKElement*>& found,
                 bool useRegex, const std::string& text);
