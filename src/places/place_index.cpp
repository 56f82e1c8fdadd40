#include "places/place_index.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <numeric>
#include <unordered_map>

#include "places/place_text.h"
#include "queries/address_names.h"
#include "queries/map_queries.h"

namespace {

double boundsArea(const TKDKPolygon& p) { return (p.BoundsMax.X - p.BoundsMin.X) * (p.BoundsMax.Y - p.BoundsMin.Y); }

// A point inside the polygon: its representative point when that lies inside,
// else the middle of the widest stretch inside along a horizontal line.
TGeoPoint2D InteriorPoint(const TKDKPolygon& polygon) {
    if (HitTest(polygon, MakePoint(polygon.RepPoint.X, polygon.RepPoint.Y, 0), 0))
        return {polygon.RepPoint.X, polygon.RepPoint.Y};
    const double y0 = polygon.BoundsMin.Y, h = polygon.BoundsMax.Y - y0;
    for (double y : {y0 + 0.5 * h, y0 + 0.25 * h, y0 + 0.75 * h}) {
        // The crossings of the outline as the containment test walks it (closing edge included).
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
        double best = 0, x = 0;
        for (size_t i = 0; i + 1 < xs.size(); i += 2)
            if (xs[i + 1] - xs[i] > best) {
                best = xs[i + 1] - xs[i];
                x = 0.5 * (xs[i] + xs[i + 1]);
            }
        if (best > 0) return {x, y};
    }
    return {0.5 * (polygon.BoundsMin.X + polygon.BoundsMax.X), 0.5 * (polygon.BoundsMin.Y + polygon.BoundsMax.Y)};
}

// The areas of one place as they are collected: bounds so far and the largest part.
struct Parts {
    TGeoPoint2D min{std::numeric_limits<double>::max(), std::numeric_limits<double>::max()};
    TGeoPoint2D max{std::numeric_limits<double>::lowest(), std::numeric_limits<double>::lowest()};
    const TKDKPolygon* largest = nullptr;

    void add(const TKDKPolygon& p) {
        min = {std::min(min.X, p.BoundsMin.X), std::min(min.Y, p.BoundsMin.Y)};
        max = {std::max(max.X, p.BoundsMax.X), std::max(max.Y, p.BoundsMax.Y)};
        if (!largest || boundsArea(p) > boundsArea(*largest)) largest = &p;
    }
    TPlaceArea area() const { return {InteriorPoint(*largest), min, max}; }
};

// The first number of a block's numbers, for ordering blocks by value.
uint32_t leadingNumber(const std::string& numbers) {
    uint32_t n = std::numeric_limits<uint32_t>::max();
    std::from_chars(numbers.data(), numbers.data() + numbers.size(), n);
    return n;
}

struct BlockPart {
    uint32_t chome;
    uint32_t order;  // leading number
    std::string numbers;
    const TKDKPolygon* polygon;
};

template <class Place>
void sortByKey(std::vector<Place>& places, std::vector<Parts>& parts, std::vector<uint32_t>& rankOf) {
    std::vector<uint32_t> order(places.size());
    std::iota(order.begin(), order.end(), 0u);
    std::stable_sort(order.begin(), order.end(),
                     [&](uint32_t a, uint32_t b) { return placetext::NaturalLess(places[a].Keys.back(), places[b].Keys.back()); });
    std::vector<Place> sorted;
    std::vector<Parts> sortedParts;
    rankOf.assign(places.size(), 0);
    for (uint32_t i : order) {
        rankOf[i] = static_cast<uint32_t>(sorted.size());
        sorted.push_back(std::move(places[i]));
        sortedParts.push_back(parts[i]);
    }
    places = std::move(sorted);
    parts = std::move(sortedParts);
}

}  // namespace

TPlaceIndex::TPlaceIndex(const TKDKObject& map) : map_(map) {
    std::unordered_map<std::string, uint32_t> municipalityOf, chomeOf;  // by JIS code + '\0' + name
    std::vector<Parts> municipalityParts, chomeParts;
    std::vector<std::string> chomeJisCodes;
    std::vector<BlockPart> blockParts;
    auto chomeGroup = [&](const std::vector<std::string>& v, bool withArea) {
        const auto [it, added] = chomeOf.try_emplace(v[0] + '\0' + v[2], static_cast<uint32_t>(chomes_.size()));
        if (added) {
            chomes_.emplace_back().Name = v[2];
            chomeParts.emplace_back();
            chomeJisCodes.push_back(v[0]);
        }
        chomes_[it->second].HasArea = chomes_[it->second].HasArea || withArea;
        return it->second;
    };
    uint32_t lastChome = 0;
    const std::vector<std::string>* lastChomeValues = nullptr;  // the record that named lastChome
    for (const TKDKPolygon* p : map.Polygons()) {
        const TAddressArea kind = AddressAreaOf(*p);
        if (kind == TAddressArea::None) continue;
        const std::vector<std::string>& v = p->Attribute->Values;
        if (kind == TAddressArea::Municipality) {
            const auto [it, added] =
                municipalityOf.try_emplace(v[0] + '\0' + v[1], static_cast<uint32_t>(municipalities_.size()));
            if (added) {
                const std::string* prefecture = TryPrefectureOfJisCode(v[0]);
                Municipality& m = municipalities_.emplace_back();
                if (prefecture) m.Prefecture = *prefecture;
                m.City = v[1];
                municipalityParts.emplace_back();
            }
            municipalityParts[it->second].add(*p);
        } else if (kind == TAddressArea::Chome) {
            chomeParts[chomeGroup(v, true)].add(*p);
        } else {
            // Blocks come chome by chome: the chome of the previous block is tried first.
            if (!lastChomeValues || (*lastChomeValues)[0] != v[0] || (*lastChomeValues)[2] != v[2]) {
                lastChome = chomeGroup(v, false);
                lastChomeValues = &v;
            }
            std::string numbers = BlockText(v);
            const uint32_t order = leadingNumber(numbers);
            blockParts.push_back({lastChome, order, std::move(numbers), p});
        }
    }

    // Keys, then name order.
    for (Municipality& m : municipalities_) {
        const std::string city = placetext::Key(m.City);
        m.Keys = {city, placetext::Key(m.Prefecture) + city};
    }
    std::vector<uint32_t> municipalityRank, chomeRank;
    sortByKey(municipalities_, municipalityParts, municipalityRank);
    std::unordered_map<std::string, int32_t> municipalityOfCode;  // the first in name order
    for (const auto& [key, index] : municipalityOf)
        if (auto [it, added] = municipalityOfCode.try_emplace(key.substr(0, key.find('\0')), municipalityRank[index]);
            !added)
            it->second = std::min(it->second, static_cast<int32_t>(municipalityRank[index]));
    for (size_t i = 0; i < chomes_.size(); ++i) {
        Chome& c = chomes_[i];
        const auto found = municipalityOfCode.find(chomeJisCodes[i]);
        c.Municipality = found == municipalityOfCode.end() ? -1 : found->second;
        const std::string name = placetext::Key(c.Name);
        const std::vector<std::string>* up = c.Municipality >= 0 ? &municipalities_[c.Municipality].Keys : nullptr;
        c.Keys = {name, (up ? (*up)[0] : std::string()) + name, (up ? (*up)[1] : std::string()) + name};
    }
    sortByKey(chomes_, chomeParts, chomeRank);
    for (size_t i = 0; i < municipalities_.size(); ++i) municipalities_[i].Area = municipalityParts[i].area();
    for (size_t i = 0; i < chomes_.size(); ++i)
        if (chomes_[i].HasArea) chomes_[i].Area = chomeParts[i].area();

    // Blocks by chome in name order, by number within a chome; the parts of one block merged.
    for (BlockPart& b : blockParts) b.chome = chomeRank[b.chome];
    std::sort(blockParts.begin(), blockParts.end(), [](const BlockPart& a, const BlockPart& b) {
        if (a.chome != b.chome) return a.chome < b.chome;
        if (a.order != b.order) return a.order < b.order;
        return placetext::NaturalLess(a.numbers, b.numbers);
    });
    for (size_t i = 0; i < blockParts.size();) {
        Parts parts;
        size_t j = i;
        for (; j < blockParts.size() && blockParts[j].chome == blockParts[i].chome &&
               blockParts[j].numbers == blockParts[i].numbers;
             ++j)
            parts.add(*blockParts[j].polygon);
        Chome& c = chomes_[blockParts[i].chome];
        if (c.BlockCount == 0) c.FirstBlock = static_cast<uint32_t>(blocks_.size());
        ++c.BlockCount;
        blocks_.push_back({blockParts[i].chome, std::move(blockParts[i].numbers), parts.area()});
        i = j;
    }
}

std::string TPlaceIndex::NameOf(const Municipality& m) const { return m.Prefecture + m.City; }

std::string TPlaceIndex::NameOf(const Chome& c) const {
    return (c.Municipality >= 0 ? NameOf(municipalities_[static_cast<size_t>(c.Municipality)]) : std::string()) + c.Name;
}

std::string TPlaceIndex::NameOf(const Block& b) const { return NameOf(chomes_[b.Chome]) + " " + b.Numbers; }
