#include "tables/prefectures.h"

#include <array>

#include "base/sjis.h"

namespace {

// Prefecture names by the prefecture number of the administrative codes.
constexpr const char* kPrefectureNames[47] = {
    u8"北海道",  // 1
    u8"青森県",  // 2
    u8"岩手県",  // 3
    u8"宮城県",  // 4
    u8"秋田県",  // 5
    u8"山形県",  // 6
    u8"福島県",  // 7
    u8"茨城県",  // 8
    u8"栃木県",  // 9
    u8"群馬県",  // 10
    u8"埼玉県",  // 11
    u8"千葉県",  // 12
    u8"東京都",  // 13
    u8"神奈川県",  // 14
    u8"新潟県",  // 15
    u8"富山県",  // 16
    u8"石川県",  // 17
    u8"福井県",  // 18
    u8"山梨県",  // 19
    u8"長野県",  // 20
    u8"岐阜県",  // 21
    u8"静岡県",  // 22
    u8"愛知県",  // 23
    u8"三重県",  // 24
    u8"滋賀県",  // 25
    u8"京都府",  // 26
    u8"大阪府",  // 27
    u8"兵庫県",  // 28
    u8"奈良県",  // 29
    u8"和歌山県",  // 30
    u8"鳥取県",  // 31
    u8"島根県",  // 32
    u8"岡山県",  // 33
    u8"広島県",  // 34
    u8"山口県",  // 35
    u8"徳島県",  // 36
    u8"香川県",  // 37
    u8"愛媛県",  // 38
    u8"高知県",  // 39
    u8"福岡県",  // 40
    u8"佐賀県",  // 41
    u8"長崎県",  // 42
    u8"熊本県",  // 43
    u8"大分県",  // 44
    u8"宮崎県",  // 45
    u8"鹿児島県",  // 46
    u8"沖縄県",  // 47
};

}  // namespace

const std::string& PrefectureName(int number) {
    static const std::array<std::string, 47> names = [] {
        std::array<std::string, 47> t;
        for (size_t i = 0; i < t.size(); ++i) t[i] = sjis::fromUtf8(kPrefectureNames[i]);
        return t;
    }();
    static const std::string empty;
    if (number < 1 || number > 47) return empty;
    return names[static_cast<size_t>(number - 1)];
}
