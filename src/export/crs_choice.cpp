#include "export/crs_choice.h"

#include <charconv>
#include <string>

#include "export/export_error.h"
#include "view/coords_table.h"

std::optional<int> EpsgOfFormat(TCoordsFormat format) {
    const TCoordsFormatEntry& row = CoordsFormatEntry(format);
    if (row.Kind == kCoordsKindNone) return std::nullopt;
    int code = 0;
    const char* end = row.Code.data() + row.Code.size();
    if (std::from_chars(row.Code.data(), end, code).ptr != end || code <= 0) return std::nullopt;
    return code;
}

double DataUnitsPerCrsUnit(TCoordsFormat format) {
    return CoordsFormatEntry(format).Kind == kCoordsKindGeographic ? 360000.0 : 1.0;
}

SrsPtr SpatialReferenceOfEpsg(int epsg) {
    SrsPtr srs(new OGRSpatialReference());
    if (srs->importFromEPSG(epsg) != OGRERR_NONE)
        throw EExportError("unknown coordinate reference system EPSG:" + std::to_string(epsg));
    srs->SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    return srs;
}

SrsPtr OutputSpatialReferenceOfEpsg(int epsg) {
    SrsPtr srs = SpatialReferenceOfEpsg(epsg);
    if ((srs->IsProjected() || srs->IsGeographic()) && !srs->IsCompound() && srs->GetAxesCount() == 2) return srs;
    const char* name = srs->GetName();
    throw EExportError("EPSG:" + std::to_string(epsg) + (name ? " (" + std::string(name) + ")" : std::string()) +
                       " is not a two-dimensional projected or geographic coordinate system");
}

namespace {

std::optional<int> epsgCode(const OGRSpatialReference& srs, const char* node) {
    const char* authority = srs.GetAuthorityName(node);
    const char* code = srs.GetAuthorityCode(node);
    if (!authority || !code || std::string(authority) != "EPSG") return std::nullopt;
    int value = 0;
    const char* end = code + std::char_traits<char>::length(code);
    if (std::from_chars(code, end, value).ptr != end) return std::nullopt;
    return value;
}

}  // namespace

TCoordsFormat TranslatorTargetFor(const OGRSpatialReference& output) {
    if (const std::optional<int> code = epsgCode(output, nullptr))
        if (const std::optional<TCoordsFormat> own = CoordsFormatOfEpsg(*code)) return *own;
    if (const std::optional<int> geographic = epsgCode(output, "GEOGCS"))
        if (*geographic == 4301 || *geographic == 4612 || *geographic == 6668) return *CoordsFormatOfEpsg(*geographic);
    return TCoordsFormat::cfGeodeticWGS;
}
