#pragma once
// An address list answered: one query per line, each answered by Locate as
// a CSV line of its best match (or of none), so that an office's list of
// addresses is matched in one run. Lines are UTF-8.
#include <memory>
#include <string>
#include <string_view>

#include "places/locate.h"

class TCoordinateTranslator;

class AddressList {
public:
    // `shift` converts Tokyo-datum coordinates both ways (dsGrid throws
    // EDatumGridError when the grid cannot be used).
    AddressList(const TPlaceIndex& index, TDatumShift shift);
    ~AddressList();
    AddressList(const AddressList&) = delete;
    AddressList& operator=(const AddressList&) = delete;

    // The CSV header with its line end: query, match (municipality, chome,
    // block, coordinate or nothing), name, x and y in the map's system, and
    // latitude and longitude in degrees on WGS84 (the display system).
    static const std::string& Header();

    // Locates the query and appends its CSV line to `out`: the best match's
    // kind, full name and point, or "nothing" and empty fields. Returns what
    // Locate found, the best match only (Approximate also when the latitude
    // and longitude went by the three-parameter shift).
    TLocateResult Answer(std::string_view queryUtf8, std::string& out) const;

private:
    const TPlaceIndex& index_;
    TDatumShift shift_;
    std::unique_ptr<TCoordinateTranslator> toLatLon_;  // the map's system to WGS84
};

// The text as one CSV field: in double quotes (doubled inside) when it holds
// a comma, a quote, a line break or leading or trailing blanks.
std::string CsvField(std::string_view text);
