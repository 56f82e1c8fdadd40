#include "places/address_match.h"

#include <algorithm>
#include <array>
#include <set>

#include "base/sjis.h"
#include "places/place_text.h"

namespace {

enum Level : uint8_t { kExact, kPrefix, kContains, kNone };

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string withoutSpaces(std::string_view s) {
    std::string out;
    for (char c : s)
        if (c != ' ') out += c;
    return out;
}

// A query read as a chome and a block number after it: "栄里五丁目 3", "栄里5-3", "栄里五丁目3番".
struct BlockQuery {
    std::string chome;  // key
    std::string number;
};

// The ways to read the query: as a place name (with a trailing chome number
// in kanji also read as digits), and as a chome followed by a block number.
struct QueryReadings {
    std::vector<std::string> names;
    std::vector<BlockQuery> blocks;
};

QueryReadings readings(std::string_view querySjis) {
    static const std::string kBanchi = sjis::fromUtf8(u8"番地"), kBan = sjis::fromUtf8(u8"番"),
                             kChome = sjis::fromUtf8(u8"丁目");
    QueryReadings r;
    std::string spaced = placetext::Key(querySjis, true);
    const std::string plain = withoutSpaces(spaced);
    if (plain.empty()) return r;
    r.names.push_back(plain);
    if (auto digits = placetext::TrailingNumeralAsDigits(plain)) r.names.push_back(std::move(*digits));

    // A block number ends the query, perhaps followed by 番 or 番地.
    for (const std::string* suffix : {&kBanchi, &kBan})
        if (spaced.size() > suffix->size() && spaced.ends_with(*suffix) &&
            isDigit(spaced[spaced.size() - suffix->size() - 1])) {
            spaced.resize(spaced.size() - suffix->size());
            break;
        }
    size_t start = spaced.size();
    while (start > 0 && isDigit(spaced[start - 1])) --start;
    if (start == spaced.size() || start == 0) return r;
    const std::string number = spaced.substr(start);
    const bool separated = spaced[start - 1] == ' ';
    const std::string chome = withoutSpaces(spaced.substr(0, start));
    if (chome.empty()) return r;
    r.blocks.push_back({chome, number});
    if (!separated) return r;
    // "栄里5 3", "栄里五-3": the chome number given without 丁目.
    if (isDigit(chome.back())) r.blocks.push_back({chome + kChome, number});
    else if (auto digits = placetext::TrailingNumeralAsDigits(chome)) r.blocks.push_back({*digits + kChome, number});
    return r;
}

// How well a name matches: the query equals one of its keys, begins one, or lies in the fullest.
Level nameLevel(const std::vector<std::string>& keys, const std::vector<std::string>& names) {
    Level best = kNone;
    for (const std::string& q : names) {
        for (const std::string& k : keys) {
            if (k == q) return kExact;
            if (k.starts_with(q)) best = std::min(best, kPrefix);
        }
        if (best > kContains && placetext::FindAligned(keys.back(), q) != std::string_view::npos) best = kContains;
    }
    return best;
}

// The blocks of a chome, for a query that names a place: the chome's name
// (with the block after it) begins with the query, or holds it.
Level blocksByName(const std::vector<std::string>& chomeKeys, const std::vector<std::string>& names) {
    const Level l = nameLevel(chomeKeys, names);
    return l == kExact ? kPrefix : l;
}

bool endsWithAligned(std::string_view key, std::string_view tail) {
    if (!key.ends_with(tail)) return false;
    size_t i = 0;  // the tail must start on a character boundary
    while (i < key.size() - tail.size()) i += sjis::isLeadByte(static_cast<unsigned char>(key[i])) ? 2 : 1;
    return i == key.size() - tail.size();
}

// One block for a chome-and-number reading: the chome is named exactly (by
// one of its keys) or its name ends with the query's chome part; the number
// is one of the block's numbers or begins one.
Level blockLevel(const TPlaceIndex::Chome& c, std::string_view numberKeys, const BlockQuery& q) {
    const bool named = std::find(c.Keys.begin(), c.Keys.end(), q.chome) != c.Keys.end();
    if (!named && !endsWithAligned(c.Keys.back(), q.chome)) return kNone;
    Level best = kNone;
    for (size_t i = 0; i <= numberKeys.size();) {
        const size_t end = std::min(numberKeys.find(' ', i), numberKeys.size());
        const std::string_view n = numberKeys.substr(i, end - i);
        if (!n.empty() && n == q.number) best = std::min(best, named ? kExact : kContains);
        else if (!n.empty() && n.starts_with(q.number)) best = std::min(best, named ? kPrefix : kContains);
        i = end + 1;
    }
    return best;
}

struct Found {
    TPlaceKind kind;
    uint32_t index;
};

// Matches by level and kind, each list in name order and long enough for
// `limit` after dropping what a better level already holds.
class Collector {
public:
    explicit Collector(size_t limit) : cap_(3 * limit) {}
    bool full(Level l, TPlaceKind kind) const { return list(l, kind).size() >= cap_; }
    void add(Level l, TPlaceKind kind, uint32_t index) {
        if (l != kNone && !full(l, kind)) lists_[slot(l, kind)].push_back({kind, index});
    }
    // Level by level; within a level municipalities, chomes, then blocks.
    std::vector<Found> best(size_t limit) const {
        std::vector<Found> out;
        std::set<std::pair<TPlaceKind, uint32_t>> seen;
        for (const auto& list : lists_)
            for (const Found& f : list)
                if (out.size() < limit && seen.insert({f.kind, f.index}).second) out.push_back(f);
        return out;
    }

private:
    static size_t slot(Level l, TPlaceKind kind) { return l * 3 + static_cast<size_t>(kind) - 1; }
    const std::vector<Found>& list(Level l, TPlaceKind kind) const { return lists_[slot(l, kind)]; }
    size_t cap_;
    std::array<std::vector<Found>, 9> lists_;
};

}  // namespace

std::vector<TPlaceMatch> MatchAddress(const TPlaceIndex& index, std::string_view querySjis, size_t limit) {
    const QueryReadings q = readings(querySjis);
    if (q.names.empty() || limit == 0) return {};
    Collector found(limit);
    const auto municipalities = index.Municipalities();
    for (uint32_t i = 0; i < municipalities.size(); ++i)
        found.add(nameLevel(municipalities[i].Keys, q.names), TPlaceKind::Municipality, i);
    const auto chomes = index.Chomes();
    const auto blocks = index.Blocks();
    for (uint32_t i = 0; i < chomes.size(); ++i) {
        const TPlaceIndex::Chome& c = chomes[i];
        if (c.HasArea()) found.add(nameLevel(c.Keys, q.names), TPlaceKind::Chome, i);
        const Level all = blocksByName(c.Keys, q.names);
        const bool numbered = std::any_of(q.blocks.begin(), q.blocks.end(), [&](const BlockQuery& b) {
            return std::find(c.Keys.begin(), c.Keys.end(), b.chome) != c.Keys.end() ||
                   endsWithAligned(c.Keys.back(), b.chome);
        });
        if (!numbered && (all == kNone || found.full(all, TPlaceKind::Block))) continue;
        for (uint32_t b = c.FirstBlock; b < c.FirstBlock + c.BlockCount; ++b) {
            Level level = all;
            if (numbered)
                for (const BlockQuery& bq : q.blocks) level = std::min(level, blockLevel(c, blocks[b].NumberKeys, bq));
            found.add(level, TPlaceKind::Block, b);
        }
    }
    std::vector<TPlaceMatch> out;
    for (const Found& f : found.best(limit)) {
        switch (f.kind) {
            case TPlaceKind::Municipality:
                out.push_back({f.kind, AreaOf(municipalities[f.index].Parts), index.NameOf(municipalities[f.index])});
                break;
            case TPlaceKind::Chome:
                out.push_back({f.kind, AreaOf(chomes[f.index].Parts), index.NameOf(chomes[f.index])});
                break;
            case TPlaceKind::Block:
                out.push_back({f.kind, AreaOf(blocks[f.index].Parts), index.NameOf(blocks[f.index])});
                break;
            case TPlaceKind::Point:
                break;
        }
    }
    return out;
}
