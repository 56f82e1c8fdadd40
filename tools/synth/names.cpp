#include "names.h"

#include <algorithm>
#include <cstddef>

#include "random.h"

namespace synth {

std::string kanjiNumeral(int n) {
    static const char* const digits[] = {"", "一", "二", "三", "四", "五", "六", "七", "八", "九"};
    if (n < 1 || n > 99) return std::to_string(n);
    std::string out;
    if (n >= 10) {
        if (n >= 20) out += digits[n / 10];
        out += "十";
    }
    out += digits[n % 10];
    return out;
}

std::string fullWidthNumber(int n) {
    static const char* const digits[] = {"０", "１", "２", "３", "４", "５", "６", "７", "８", "９"};
    std::string out;
    for (char c : std::to_string(n)) out += (c >= '0' && c <= '9') ? digits[c - '0'] : std::string(1, c);
    return out;
}

namespace {

const std::vector<std::string>& townPrefixes() {
    static const std::vector<std::string> list = {
        "桜", "若葉", "緑", "青葉", "栄", "旭", "松", "梅", "柳", "宮", "富士見", "平和", "大和",
        "光", "花園", "日吉", "春日", "白山", "高砂", "本", "幸", "寿", "錦", "泉", "港", "新田",
        "大橋", "中島", "上野", "石川", "森", "竹", "藤", "菊", "浜", "川端", "北野", "南原",
        "東山", "西浦",
    };
    return list;
}

const std::vector<std::string>& townSuffixes() {
    static const std::vector<std::string> list = {
        "町", "台", "が丘", "原", "野", "田", "浜", "川", "沢", "島", "ヶ谷", "坂", "橋", "里", "園",
    };
    return list;
}

const std::vector<std::string>& townQualifiers() {
    static const std::vector<std::string> list = {"", "東", "西", "南", "北", "新", "上", "中", "下"};
    return list;
}

// True when the suffix's first character already occurs in the stem
// ("花園" + "園", "川端" + "川"), which makes an odd name.
bool repeatsCharacter(const std::string& stem, const std::string& suffix) {
    std::size_t len = 1;
    const unsigned char c = static_cast<unsigned char>(suffix[0]);
    if (c >= 0xF0) len = 4;
    else if (c >= 0xE0) len = 3;
    else if (c >= 0xC0) len = 2;
    return stem.find(suffix.substr(0, len)) != std::string::npos;
}

template <typename T>
void shuffle(std::vector<T>& v, Rng& rng) {
    for (std::size_t i = v.size(); i > 1; --i) std::swap(v[i - 1], v[rng.below(static_cast<int>(i))]);
}

}  // namespace

std::vector<std::string> townNames(std::uint64_t seed, int count) {
    const auto& prefixes = townPrefixes();
    const auto& suffixes = townSuffixes();
    const auto& qualifiers = townQualifiers();
    // Plain names first, then the qualified ones; each group shuffled.
    std::vector<std::string> pool;
    Rng rng(seed, Draw::Town, {0});
    for (const std::string& q : qualifiers) {
        std::vector<std::string> group;
        for (const std::string& p : prefixes)
            for (const std::string& s : suffixes)
                if (!repeatsCharacter(q + p, s)) group.push_back(q + p + s);
        shuffle(group, rng);
        pool.insert(pool.end(), group.begin(), group.end());
        if (static_cast<int>(pool.size()) >= count) break;
    }
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(std::max(count, 0)));
    for (int i = 0; i < count; ++i) names.push_back(pool[static_cast<std::size_t>(i) % pool.size()]);
    return names;
}

std::string municipalityStem(std::uint64_t seed) {
    static const std::vector<std::string> list = {
        "東都", "若葉", "緑川", "青葉", "桜ヶ丘", "朝霧", "白鷺", "松原", "豊浦", "水城", "高峰", "美園",
    };
    Rng rng(seed, Draw::Names, {1});
    return list[static_cast<std::size_t>(rng.below(static_cast<int>(list.size())))];
}

std::string riverName(std::uint64_t seed) {
    static const std::vector<std::string> list = {
        "桜川", "白鷺川", "緑川", "柳川", "鶴見川", "清水川", "渋川", "石神井川", "黒目川", "古川",
    };
    Rng rng(seed, Draw::Names, {2});
    return list[static_cast<std::size_t>(rng.below(static_cast<int>(list.size())))];
}

std::string chomeName(const std::string& town, int number) { return town + kanjiNumeral(number) + "丁目"; }

}  // namespace synth
