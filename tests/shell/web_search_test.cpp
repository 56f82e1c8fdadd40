// The web searches' logic: the engine-line rules, the engine list file, the
// percent-encoding and EUC-JP byte rules, and the addresses of both commands.
#include <gtest/gtest.h>
#include <iconv.h>
#include <sys/stat.h>

#include <fstream>

#include "base/sjis.h"
#include "shell/search_engines.h"
#include "shell/url_encoding.h"
#include "shell/web_addresses.h"
#include "support/temp_dir.h"

namespace {

std::string sj(const char* utf8) { return sjis::fromUtf8(utf8); }

void writeFile(const std::filesystem::path& p, const std::string& bytes) {
    std::ofstream(p, std::ios::binary) << bytes;
}

TEST(EngineLine, FieldsFollowTheCommaRuleWithNulAsABlank) {
    const TSearchEngine e(std::string(" \"A, B\" ,https://example.org/s, q= ,EUC\0", 40));
    EXPECT_EQ(e.Name, "A, B");
    EXPECT_EQ(e.BaseUrl, "https://example.org/s");
    EXPECT_EQ(e.QueryPrefix, "q=");
    EXPECT_EQ(e.Encoding, eeEuc);
    EXPECT_EQ(TSearchEngine("My Engine,https://example.org/s,q=,EUC").Encoding, eeInvalid);  // a blank splits
}

TEST(EngineLine, UsedOnlyWithFourFieldsAndAnExactKeyword) {
    const TSearchEngine e("\"Web, search\",https://example.org/find,ie=UTF-8&q=,UTF8");
    EXPECT_EQ(e.Name, "Web, search");
    EXPECT_EQ(e.BaseUrl, "https://example.org/find");
    EXPECT_EQ(e.QueryPrefix, "ie=UTF-8&q=");
    EXPECT_EQ(e.Encoding, eeUtf8);
    EXPECT_EQ(TSearchEngine("a,http://b,c,SJIS").Encoding, eeSjis);
    EXPECT_EQ(TSearchEngine("a,HTTPS://b.example/x,c,EUC").Encoding, eeEuc);
    for (const char* bad : {"a,http://b,c,utf8", "a,http://b,c,UTF8,e", "a,http://b,UTF8", "a,http://b,c,", "",
                            "My Engine,http://b,c,UTF8"}) {
        const TSearchEngine dropped(bad);
        EXPECT_EQ(dropped.Encoding, eeInvalid) << bad;
        EXPECT_TRUE(dropped.Name.empty() && dropped.BaseUrl.empty() && dropped.QueryPrefix.empty()) << bad;
    }
}

TEST(EngineLine, OnlyWebAddressesOfBoundedLinesAreOffered) {
    // Another scheme, an address a launcher could read as an option, no host.
    for (const char* bad : {"a,file:///etc/passwd,q=,UTF8", "a,javascript:alert(1),q=,UTF8",
                            "a,--renderer-cmd-prefix=x,q=,UTF8", "a,http://,q=,UTF8", "a,https:///x,q=,UTF8",
                            "a,\"http://b c\",q=,UTF8", "a,\"http://b\\c\",q=,UTF8", "a,http:b,q=,UTF8"})
        EXPECT_EQ(TSearchEngine(bad).Encoding, eeInvalid) << bad;
    const std::string prefix = "a,https://b/,";
    const std::string fits = prefix + std::string(kMaxEngineLine - prefix.size() - 5, 'q') + ",UTF8";
    EXPECT_EQ(TSearchEngine(fits).Encoding, eeUtf8);
    EXPECT_EQ(TSearchEngine(prefix + "q" + fits.substr(prefix.size())).Encoding, eeInvalid);  // one byte over
}

TEST(EngineList, ReadsEveryLineEndAndKeepsUsableLinesInOrder) {
    testsupport::TempDir dir;
    const auto file = dir.path() / "engine.lst";
    writeFile(file, "A,http://a,q=,UTF8\r\nbroken line\nB,http://b,q=,SJIS\rC,http://c,q=,utf8\r\n\r\n"
                    "D,http://d,q=,EUC");
    TEngineList list;
    EXPECT_EQ(list.LoadFromFile(file.string()), 3);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Items(0)->Name, "A");
    EXPECT_EQ(list.Items(1)->BaseUrl, "http://b");
    EXPECT_EQ(list.Items(2)->Encoding, eeEuc);
    EXPECT_EQ(list.Items(-1), nullptr);
    EXPECT_EQ(list.Items(3), nullptr);
    // A missing file empties the list.
    EXPECT_EQ(list.LoadFromFile((dir.path() / "none.lst").string()), 0);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Items(0), nullptr);
}

TEST(EngineList, ReadsOnlyABoundedRegularFileWithoutBlocking) {
    testsupport::TempDir dir;
    const std::string line = "A,http://a,q=,UTF8\n";
    const auto fifo = dir.path() / "fifo.lst";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    TEngineList list;
    EXPECT_EQ(list.LoadFromFile(fifo.string()), 0);  // returns at once: nobody ever writes to it
    const auto zero = dir.path() / "zero.lst";
    std::filesystem::create_symlink("/dev/zero", zero);
    EXPECT_EQ(list.LoadFromFile(zero.string()), 0);
    EXPECT_EQ(list.LoadFromFile(dir.path().string()), 0);  // a folder
    const auto big = dir.path() / "big.lst";
    std::string text = line;
    text.resize(kMaxEngineListBytes, '#');
    writeFile(big, text);
    EXPECT_EQ(list.LoadFromFile(big.string()), 1);  // exactly the limit
    writeFile(big, text + "\n");
    EXPECT_EQ(list.LoadFromFile(big.string()), 0);  // one byte over
}

TEST(EngineList, InstalledOnlyWhereNoneExists) {
    testsupport::TempDir dir;
    const auto file = dir.path() / "new" / "engine.lst";
    EXPECT_TRUE(InstallEngineList(file.string(), "A,http://a,q=,UTF8\r\n"));
    TEngineList list;
    EXPECT_EQ(list.LoadFromFile(file.string()), 1);
    writeFile(file, "mine");
    EXPECT_FALSE(InstallEngineList(file.string(), "A,http://a,q=,UTF8\r\n"));
    EXPECT_EQ(list.LoadFromFile(file.string()), 0);  // the user's file stays
}

TEST(UrlEncode, EncodesHighBytesAndTrailBytesOnly) {
    EXPECT_EQ(UrlEncode(sj(u8"東京都")), "%93%8c%8b%9e%93%73");  // 0x73 ends a five-byte lead run
    EXPECT_EQ(UrlEncode("a b&c?#+=%\"z"), "a b&c?#+=%\"z");
    EXPECT_EQ(UrlEncode("\x81\x81" "A"), "%81%81A");  // an even run: A is not a trail byte
    EXPECT_EQ(UrlEncode("\xb1" "A"), "%b1A");         // half-width katakana is no lead byte
    EXPECT_EQ(UrlEncode("\xe6\x9d\xb1" "A"), "%e6%9d%b1A");  // UTF-8 bytes, the same rule
}

TEST(UrlEncode, QueryValueAlsoEncodesWhatWouldEndTheValue) {
    EXPECT_EQ(UrlEncodeQueryValue("a b&c#d+e%f=g?\""), "a b%26c%23d%2be%25f=g?\"");
    EXPECT_EQ(UrlEncodeQueryValue(sj(u8"東京都")), "%93%8c%8b%9e%93%73");
}

// Shift-JIS to EUC-JP through iconv, for the codes both standards hold.
std::string iconvSjisToEuc(const std::string& in) {
    iconv_t cd = iconv_open("EUC-JP", "SHIFT_JIS");
    if (cd == reinterpret_cast<iconv_t>(-1)) return {};
    std::string out(8, '\0');
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size(), dstLeft = out.size();
    char* dst = out.data();
    const size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    iconv_close(cd);
    if (r == static_cast<size_t>(-1)) return {};
    out.resize(out.size() - dstLeft);
    return out;
}

TEST(SjisToEuc, AgreesWithIconvOnTheJisX0208CharactersOfTwelveLeadBytes) {
    int compared = 0;
    for (int lead : {0x81, 0x82, 0x83, 0x84, 0x88, 0x89, 0x90, 0x98, 0x9F, 0xE0, 0xE5, 0xEA}) {
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const std::string c{static_cast<char>(lead), static_cast<char>(trail)};
            const std::string expected = iconvSjisToEuc(c);
            if (expected.size() != 2) continue;  // not a character of JIS X 0208
            EXPECT_EQ(SjisToEuc("a" + c + "z"), "a" + expected + "z") << std::hex << lead << ' ' << trail;
            ++compared;
        }
    }
    EXPECT_GT(compared, 1800);
    EXPECT_EQ(SjisToEuc("abc \xb1\xdf"), "abc \xb1\xdf");  // ASCII and half-width katakana are copied
}

TEST(SjisToEuc, SpecialCodes) {
    EXPECT_EQ(SjisToEuc("\x85\x20"), "\xa1\xa1");  // 0x8520 is the ideographic space 0x2121
    EXPECT_EQ(SjisToEuc("\xf0\x40"), "\x70\xc0");  // from 0xF0 the code is kept: F0+80, 40+80
    EXPECT_EQ(SjisToEuc("\xf9\xfc"), "\x79\x7c");
    EXPECT_EQ(SjisToEuc("\x85\x9f"), "\x8e\xa1");  // lead 0x2A: single byte 0x21 | 0x80, then 0x8E
    EXPECT_EQ(SjisToEuc("\x85\x40"), "!");         // lead 0x29: single byte 0x21
    EXPECT_EQ(SjisToEuc("\x80\x41"), "\xc1");      // kept, 80+80 wraps to 0: a one-byte result
    // A lone lead byte at the end is the code 0x00nn: lead 0 - 0x70 = 0x90,
    // doubled 0x20; trail 0x93 - 1 = 0x92 < 0x9E: 0x1F, 0x73; EUC 9F F3.
    EXPECT_EQ(SjisToEuc("a\x93"), "a\x9f\xf3");
    // 0xFC: trail 0xFB >= 0x9E gives 0x7E, lead 0x20: 0x207E, EUC A0 FE.
    EXPECT_EQ(SjisToEuc("\xfc"), "\xa0\xfe");
}

TEST(WebAddresses, EachEncodingOfTheQuotedCentreAddress) {
    const std::string centre = sj(u8"東京都千代田区");
    EXPECT_EQ(WebSearchAddress(TSearchEngine("U,https://u.example/s,q=,UTF8"), centre),
              "https://u.example/s?q=\"%e6%9d%b1%e4%ba%ac%e9%83%bd%e5%8d%83%e4%bb%a3%e7%94%b0%e5%8c%ba\"");
    EXPECT_EQ(WebSearchAddress(TSearchEngine("S,https://s.example/s,ie=Shift_JIS&q=,SJIS"), centre),
              "https://s.example/s?ie=Shift_JIS&q=\"%93%8c%8b%9e%93%73%90%e7%91%e3%93%63%8b%e6\"");
    // EUC's last byte 0xE8 has a lead-byte value: the closing quote counts as its trail byte.
    EXPECT_EQ(WebSearchAddress(TSearchEngine("E,https://e.example/s,p=,EUC"), centre),
              "https://e.example/s?p=\"%c5%ec%b5%fe%c5%d4%c0%e9%c2%e5%c5%c4%b6%e8%22");
    EXPECT_EQ(WebSearchAddress(TSearchEngine("E,https://e.example/s,p=,EUC"), ""), "https://e.example/s?p=\"\"");
}

TEST(WebAddresses, TownPageQueryKeepsItsKeysAndEncodesBothValues) {
    EXPECT_EQ(TownPageAddress(sj(u8"東京都"), sj(u8"飲食店")),
              std::string(kTownPageSearchUrl) + "?Location=%93%8c%8b%9e%93%73&free_word=%88%f9%90%48%93%58");
    // A blank stays; "&" would start a parameter of its own and is encoded.
    EXPECT_EQ(TownPageAddress("", "a b&c"), std::string(kTownPageSearchUrl) + "?Location=&free_word=a b%26c");
}

}  // namespace
