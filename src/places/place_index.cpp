#include "places/place_index.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <numeric>
#include <optional>
#include <unordered_map>

#include "places/place_text.h"
#include "queries/address_names.h"
#include "queries/map_queries.h"

namespace {

double boundsArea(const TKDKPolygon& p) { return (p.BoundsMax.X - p.BoundsMin.X) * (p.BoundsMax.Y - p.BoundsMin.Y); }

// The middle of the widest stretch inside the polygon along a horizontal line,
// with its edges as the containment test walks them (closing edge included).
std::optional<TGeoPoint2D> widestStretch(const TKDKPolygon& polygon, double y) {
    std::vector<double> xs;
    TGeoPoint2D first{}, previous{};
    bool started = false;
    auto edge = [&](const TGeoPoint2D& a, const TGeoPoint2D& b) {
        if ((a.Y <= y && y < b.Y) || (b.Y <= y && y < a.Y)) xs.push_back(a.X + (b.X - a.X) * (y - a.Y) / (b.Y - a.Y));
    };
    polygon.ForEachRingVertex([&](const TGeoPoint2D& v) {
        if (started) edge(previous, v);
        else first = v;
        previous = v;
        started = true;
    });
    if (started) edge(previous, first);
    std::sort(xs.begin(), xs.end());
    double widest = 0, x = 0;
    for (size_t i = 0; i + 1 < xs.size(); i += 2)
        if (xs[i + 1] - xs[i] > widest) {
            widest = xs[i + 1] - xs[i];
            x = 0.5 * (xs[i] + xs[i + 1]);
        }
    if (widest > 0) return TGeoPoint2D{x, y};
    return std::nullopt;
}

TGeoPoint2D interiorPoint(const TKDKPolygon& polygon) {
    if (HitTest(polygon, MakePoint(polygon.RepPoint.X, polygon.RepPoint.Y, 0), 0))
        return {polygon.RepPoint.X, polygon.RepPoint.Y};
    const double y0 = polygon.BoundsMin.Y, h = polygon.BoundsMax.Y - y0;
    for (double share : {0.5, 0.25, 0.75})
        if (const auto p = widestStretch(polygon, y0 + share * h)) return *p;
    return {0.5 * (polygon.BoundsMin.X + polygon.BoundsMax.X), 0.5 * (polygon.BoundsMin.Y + polygon.BoundsMax.Y)};
}

// Widens the place's bounds by a part's and keeps the largest part.
void addPart(TPlaceParts& parts, const TKDKPolygon& p, const TGeoPoint2D& min, const TGeoPoint2D& max) {
    auto area = [](const TGeoPoint2D& a, const TGeoPoint2D& b) { return (b.X - a.X) * (b.Y - a.Y); };
    if (!parts.Largest) {
        parts = {&p, min, max};
        return;
    }
    const bool larger = area(min, max) > boundsArea(*parts.Largest);
    parts.Min = {std::min(parts.Min.X, min.X), std::min(parts.Min.Y, min.Y)};
    parts.Max = {std::max(parts.Max.X, max.X), std::max(parts.Max.Y, max.Y)};
    if (larger) parts.Largest = &p;
}
void addPart(TPlaceParts& parts, const TKDKPolygon& p) { addPart(parts, p, p.BoundsMin, p.BoundsMax); }

const TAttributeValues& valuesOf(const TKDKPolygon& p) { return p.Attribute->Values; }

// Two block records name the same block: the same numbers (values 3 on).
bool sameNumbers(const TKDKPolygon& a, const TKDKPolygon& b) {
    return std::equal(valuesOf(a).begin() + 3, valuesOf(a).end(), valuesOf(b).begin() + 3, valuesOf(b).end());
}

// A part of a block as the walk over the polygons meets it: what ordering and
// merging need, so that the polygon is not visited again.
struct BlockPart {
    uint32_t chome;
    uint32_t number;  // the first block number's value (the largest integer when it is none)
    const TKDKPolygon* polygon;
    TGeoPoint2D min, max;
};

uint32_t firstNumber(std::string_view text) {
    uint32_t n = std::numeric_limits<uint32_t>::max();
    std::from_chars(text.data(), text.data() + text.size(), n);
    return n;
}

// The key of a place by JIS code and name: code + '\0' + name.
std::string codeAndName(std::string_view code, std::string_view name) {
    std::string key(code);
    key += '\0';
    key += name;
    return key;
}

// Sorts the places by their fullest key; rankOf gives each old index its new one.
template <class Place>
std::vector<uint32_t> sortByKey(std::vector<Place>& places) {
    std::vector<uint32_t> order(places.size());
    std::iota(order.begin(), order.end(), 0u);
    std::stable_sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) {
        return placetext::NaturalLess(places[a].Keys.back(), places[b].Keys.back());
    });
    std::vector<Place> sorted;
    std::vector<uint32_t> rankOf(places.size());
    for (uint32_t i : order) {
        rankOf[i] = static_cast<uint32_t>(sorted.size());
        sorted.push_back(std::move(places[i]));
    }
    places = std::move(sorted);
    return rankOf;
}

}  // namespace

TPlaceArea AreaOf(const TPlaceParts& parts) {
    if (!parts.Largest) return {};
    return {interiorPoint(*parts.Largest), parts.Min, parts.Max};
}

TPlaceIndex::TPlaceIndex(const TKDKObject& map) : map_(map) {
    std::unordered_map<std::string, uint32_t> municipalityOf, chomeOf;  // by JIS code + '\0' + name
    std::vector<std::string> chomeJisCodes;
    std::vector<BlockPart> blockParts;  // chomes numbered in reading order
    auto chomeGroup = [&](const TAttributeValues& v) {
        const auto [it, added] = chomeOf.try_emplace(codeAndName(v[0], v[2]), static_cast<uint32_t>(chomes_.size()));
        if (added) {
            chomes_.emplace_back().Name = v[2];
            chomeJisCodes.emplace_back(v[0]);
        }
        return it->second;
    };
    uint32_t lastChome = 0;
    const TAttributeValues* lastChomeValues = nullptr;  // the record that named lastChome
    for (const TKDKPolygon* p : map.Polygons()) {
        const TAddressArea kind = AddressAreaOf(*p);
        if (kind == TAddressArea::None) continue;
        const TAttributeValues& v = valuesOf(*p);
        if (kind == TAddressArea::Municipality) {
            const auto [it, added] =
                municipalityOf.try_emplace(codeAndName(v[0], v[1]), static_cast<uint32_t>(municipalities_.size()));
            if (added) {
                Municipality& m = municipalities_.emplace_back();
                if (const std::string* prefecture = TryPrefectureOfJisCode(v[0])) m.Prefecture = *prefecture;
                m.City = v[1];
            }
            addPart(municipalities_[it->second].Parts, *p);
        } else if (kind == TAddressArea::Chome) {
            addPart(chomes_[chomeGroup(v)].Parts, *p);
        } else {
            // Blocks come chome by chome: the chome of the previous block is tried first.
            if (!lastChomeValues || (*lastChomeValues)[0] != v[0] || (*lastChomeValues)[2] != v[2]) {
                lastChome = chomeGroup(v);
                lastChomeValues = &v;
            }
            blockParts.push_back({lastChome, firstNumber(v[3]), p, p->BoundsMin, p->BoundsMax});
        }
    }

    // Keys, then name order.
    for (Municipality& m : municipalities_) {
        const std::string city = placetext::Key(m.City);
        m.Keys = {city, placetext::Key(m.Prefecture) + city};
    }
    const std::vector<uint32_t> municipalityRank = sortByKey(municipalities_);
    std::unordered_map<std::string, int32_t> municipalityOfCode;  // the first in name order
    for (const auto& [key, index] : municipalityOf) {
        const auto rank = static_cast<int32_t>(municipalityRank[index]);
        const auto [it, added] = municipalityOfCode.try_emplace(key.substr(0, key.find('\0')), rank);
        if (!added) it->second = std::min(it->second, rank);
    }
    for (size_t i = 0; i < chomes_.size(); ++i) {
        Chome& c = chomes_[i];
        const auto found = municipalityOfCode.find(chomeJisCodes[i]);
        c.Municipality = found == municipalityOfCode.end() ? -1 : found->second;
        const std::string name = placetext::Key(c.Name);
        const std::vector<std::string>* up = c.Municipality >= 0 ? &municipalities_[c.Municipality].Keys : nullptr;
        c.Keys = {name, (up ? (*up)[0] : std::string()) + name, (up ? (*up)[1] : std::string()) + name};
    }
    const std::vector<uint32_t> chomeRank = sortByKey(chomes_);

    // Blocks by chome in name order (bucketed), by number within a chome; the parts of one block merged.
    std::vector<uint32_t> bucketStart(chomes_.size() + 1, 0);
    for (const BlockPart& b : blockParts) ++bucketStart[chomeRank[b.chome] + 1];
    std::partial_sum(bucketStart.begin(), bucketStart.end(), bucketStart.begin());
    std::vector<BlockPart> byChome(blockParts.size());
    {
        std::vector<uint32_t> next(bucketStart.begin(), bucketStart.end() - 1);
        for (BlockPart& b : blockParts) {
            b.chome = chomeRank[b.chome];
            byChome[next[b.chome]++] = b;
        }
    }
    blockParts.clear();
    blocks_.reserve(byChome.size());
    for (uint32_t chome = 0; chome < chomes_.size(); ++chome) {
        const auto first = byChome.begin() + bucketStart[chome], last = byChome.begin() + bucketStart[chome + 1];
        std::sort(first, last, [](const BlockPart& a, const BlockPart& b) {
            if (a.number != b.number) return a.number < b.number;
            return placetext::NaturalLess(BlockText(valuesOf(*a.polygon)), BlockText(valuesOf(*b.polygon)));
        });
        chomes_[chome].FirstBlock = static_cast<uint32_t>(blocks_.size());
        for (auto i = first; i != last;) {
            Block block{chome, {}, placetext::Key(BlockText(valuesOf(*i->polygon)), true)};
            addPart(block.Parts, *i->polygon, i->min, i->max);
            auto j = i + 1;
            for (; j != last && j->number == i->number && sameNumbers(*j->polygon, *i->polygon); ++j)
                addPart(block.Parts, *j->polygon, j->min, j->max);
            blocks_.push_back(block);
            i = j;
        }
        chomes_[chome].BlockCount = static_cast<uint32_t>(blocks_.size()) - chomes_[chome].FirstBlock;
    }
}

std::string TPlaceIndex::NameOf(const Municipality& m) const { return m.Prefecture + m.City; }

std::string TPlaceIndex::NameOf(const Chome& c) const {
    return (c.Municipality >= 0 ? NameOf(municipalities_[static_cast<size_t>(c.Municipality)]) : std::string()) + c.Name;
}

std::string TPlaceIndex::NameOf(const Block& b) const { return NameOf(chomes_[b.Chome]) + " " + NumbersOf(b); }

std::string TPlaceIndex::NumbersOf(const Block& b) { return BlockText(valuesOf(*b.Parts.Largest)); }
