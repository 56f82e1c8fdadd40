#include "places/address_list.h"

#include <cstdio>

#include "base/sjis.h"
#include "view/coordinate_translator.h"

namespace {

const char* matchName(TPlaceKind kind) {
    switch (kind) {
        case TPlaceKind::Point: return "coordinate";
        case TPlaceKind::Municipality: return "municipality";
        case TPlaceKind::Chome: return "chome";
        case TPlaceKind::Block: return "block";
    }
    return "nothing";
}

}  // namespace

std::string CsvField(std::string_view text) {
    const bool quoted = text.find_first_of(",\"\r\n") != std::string_view::npos ||
                        (!text.empty() && (text.front() == ' ' || text.back() == ' '));
    if (!quoted) return std::string(text);
    std::string field = "\"";
    for (const char c : text) {
        if (c == '"') field += '"';
        field += c;
    }
    return field + '"';
}

AddressList::AddressList(const TPlaceIndex& index, TDatumShift shift)
    : index_(index), shift_(shift), toLatLon_(std::make_unique<TCoordinateTranslator>()) {
    toLatLon_->SetDatumShift(shift);
    toLatLon_->SetSource(index.Map().SourceFormat);
    toLatLon_->SetTarget(TCoordsFormat::cfGeodeticWGS);
}

AddressList::~AddressList() = default;

const std::string& AddressList::Header() {
    static const std::string header = "query,match,name,x,y,latitude,longitude\n";
    return header;
}

TLocateResult AddressList::Answer(std::string_view queryUtf8, std::string& out) const {
    // Only the best match is written: a limit of one finds the same first
    // match and spares working out the others' areas.
    TLocateResult r = Locate(index_, queryUtf8, 1, shift_);
    out += CsvField(queryUtf8);
    if (r.Status != TLocateStatus::Found || r.Matches.empty()) {
        out += ",nothing,,,,,\n";
        return r;
    }
    const TPlaceMatch& best = r.Matches.front();
    out += ',';
    out += matchName(best.Kind);
    out += ',';
    out += CsvField(sjis::toUtf8(best.Name));
    char numbers[160];
    std::snprintf(numbers, sizeof numbers, ",%.2f,%.2f", best.Area.At.X, best.Area.At.Y);
    out += numbers;
    // Latitude and longitude only where the map's system converts: a map in
    // plain metres, or a point PROJ refuses, leaves them empty.
    const bool converts = toLatLon_->GetSourceFormat() == index_.Map().SourceFormat &&
                          toLatLon_->GetTargetFormat() == TCoordsFormat::cfGeodeticWGS;
    const std::optional<TGeoPoint2D> g = converts ? toLatLon_->TryTransform(best.Area.At, r.Approximate) : std::nullopt;
    if (g)
        std::snprintf(numbers, sizeof numbers, ",%.8f,%.8f\n", g->Y / kGeographicUnitsPerDegree,
                      g->X / kGeographicUnitsPerDegree);
    else
        std::snprintf(numbers, sizeof numbers, ",,\n");
    out += numbers;
    return r;
}
