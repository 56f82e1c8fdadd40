#include "shell/url_encoding.h"

#include <cstdint>

#include "base/sjis.h"

namespace {

void appendPercent(std::string& out, unsigned char c) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += '%';
    out += kHex[c >> 4];
    out += kHex[c & 0x0F];
}

std::string encode(std::string_view text, std::string_view alsoEncoded) {
    std::string out;
    out.reserve(text.size() * 3);
    std::size_t leadRun = 0;  // bytes with lead-byte values just before this one
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c >= 0x80 || leadRun % 2 == 1 || alsoEncoded.find(ch) != std::string_view::npos)
            appendPercent(out, c);
        else
            out += ch;
        leadRun = sjis::isLeadByte(c) ? leadRun + 1 : 0;
    }
    return out;
}

bool takesTrail(unsigned char c) { return (c >= 0x80 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

unsigned sjisToJis(unsigned code) {
    if (code == 0x8520) return 0x2121;
    auto lead = static_cast<uint8_t>(code >> 8);
    auto trail = static_cast<uint8_t>(code);
    if (lead == 0x80 || lead >= 0xF0) return code;
    lead = static_cast<uint8_t>(lead - (lead < 0xA0 ? 0x70 : 0xB0));
    if (trail >= 0x80) trail = static_cast<uint8_t>(trail - 1);
    lead = static_cast<uint8_t>(lead * 2);
    if (trail >= 0x9E) {
        trail = static_cast<uint8_t>(trail - 0x7D);
    } else {
        lead = static_cast<uint8_t>(lead - 1);
        trail = static_cast<uint8_t>(trail - 0x1F);
    }
    if (lead == 0x2A) return trail | 0x80u;
    if (lead == 0x29) return trail;
    return lead * 256u + trail;
}

unsigned jisToEuc(unsigned jis) {
    if (jis < 0xA0) return jis;
    if (jis <= 0xDF) return 0x8E00u | jis;
    if (jis <= 0xFF) return jis;
    const auto high = static_cast<uint8_t>((jis >> 8) + 0x80);
    const auto low = static_cast<uint8_t>(jis + 0x80);
    return high * 256u + low;
}

}  // namespace

std::string UrlEncode(std::string_view text) { return encode(text, {}); }

std::string UrlEncodeQueryValue(std::string_view text) { return encode(text, "&#+%"); }

std::string SjisToEuc(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (!takesTrail(c)) {
            out += text[i++];
            continue;
        }
        unsigned code = c;
        if (i + 1 < text.size()) code = code << 8 | static_cast<unsigned char>(text[i + 1]);
        i += i + 1 < text.size() ? 2 : 1;
        const unsigned euc = jisToEuc(sjisToJis(code));
        if (euc > 0xFF) out += static_cast<char>(euc >> 8);
        out += static_cast<char>(euc & 0xFF);
    }
    return out;
}
