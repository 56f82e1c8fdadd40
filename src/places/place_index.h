#pragma once
// The places of a map a user can go to by name: every municipality, chome
// (大字・町丁目) and block (街区) with an attribute record, named as the centre
// address names them, each with a point inside it and its bounds. Areas of
// the same name (the parts of a chome cut by sheet edges) are one place.
//
// Built once per loaded map (again after a merge); read-only afterwards, so
// any number of threads may look places up at once. Names are Shift-JIS.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "geometry/geo_point.h"
#include "map/kdk_object.h"

enum class TPlaceKind : uint8_t { Point, Municipality, Chome, Block };

// Where a place lies, in world metres.
struct TPlaceArea {
    TGeoPoint2D At;        // a point inside the area (the point itself for a point)
    TGeoPoint2D Min, Max;  // bounds
};

// The areas of one place: the bounds of all its parts and its largest part
// (by the area of its bounds).
struct TPlaceParts {
    const TKDKPolygon* Largest = nullptr;
    TGeoPoint2D Min, Max;
};

// The place's bounds and a point inside its largest part: the part's
// representative point when that lies inside, otherwise the middle of the
// widest stretch inside along a horizontal line. Worked out when asked, for
// the few places a query returns.
TPlaceArea AreaOf(const TPlaceParts& parts);

class TPlaceIndex {
public:
    struct Municipality {
        std::string Prefecture, City;  // the prefecture from the JIS code; empty when it has none
        TPlaceParts Parts;
        std::vector<std::string> Keys;  // comparison keys: city, prefecture + city
    };
    struct Chome {
        int32_t Municipality = -1;  // index, -1 when no municipality has the chome's JIS code
        std::string Name;
        TPlaceParts Parts;  // no parts for a chome known only from its blocks' records
        uint32_t FirstBlock = 0, BlockCount = 0;
        std::vector<std::string> Keys;  // chome, city + chome, prefecture + city + chome
        bool HasArea() const { return Parts.Largest != nullptr; }
    };
    struct Block {
        uint32_t Chome = 0;
        TPlaceParts Parts;
        // Its numbers as comparison keys, one space between them ("5 6"),
        // made once so that a query naming a block number compares them
        // without rebuilding them from the record.
        std::string NumberKeys;
    };

    explicit TPlaceIndex(const TKDKObject& map);

    const TKDKObject& Map() const { return map_; }
    // Municipalities and chomes in name order (chome numbers by value); blocks
    // grouped by chome in that order, by number within each.
    std::span<const Municipality> Municipalities() const { return municipalities_; }
    std::span<const Chome> Chomes() const { return chomes_; }
    std::span<const Block> Blocks() const { return blocks_; }

    // Display names: prefecture, city and chome run together as the status bar
    // shows them; a block adds a space and its numbers.
    std::string NameOf(const Municipality& m) const;
    std::string NameOf(const Chome& c) const;
    std::string NameOf(const Block& b) const;
    // A block's numbers as the centre address writes them: "3", "5,6".
    static std::string NumbersOf(const Block& b);

private:
    const TKDKObject& map_;
    std::vector<Municipality> municipalities_;
    std::vector<Chome> chomes_;
    std::vector<Block> blocks_;
};
