#pragma once
// The coordinate reference systems of an export: the EPSG code of the data's
// system and the spatial references that OGR writes, with x as the easting.
#include <memory>
#include <optional>

#include <ogr_spatialref.h>

#include "tables/coords_format.h"

// The EPSG code of a system; none for cfCartesian.
std::optional<int> EpsgOfFormat(TCoordsFormat format);
// Data units per unit of the EPSG system: geographic data is held in hundredths
// of an arc-second, the EPSG systems count degrees.
double DataUnitsPerCrsUnit(TCoordsFormat format);

struct OgrSrsRelease {
    void operator()(OGRSpatialReference* srs) const { srs->Release(); }
};
using SrsPtr = std::unique_ptr<OGRSpatialReference, OgrSrsRelease>;

// The EPSG system with the traditional GIS axis order (x easting or longitude);
// throws EExportError for a code PROJ does not know.
SrsPtr SpatialReferenceOfEpsg(int epsg);
// The system an export reprojects into: SpatialReferenceOfEpsg, refused
// (EExportError) unless it is a two-dimensional projected or geographic
// system (a geocentric or 3-D system would lose or invent heights).
SrsPtr OutputSpatialReferenceOfEpsg(int epsg);
// The table's system that a reprojection into `output` converts into: the
// output system itself when the table has it; otherwise longitude and
// latitude on its datum (Tokyo, JGD2000 or JGD2011; WGS84 for any other),
// from which OGR then only projects.
TCoordsFormat TranslatorTargetFor(const OGRSpatialReference& output);
