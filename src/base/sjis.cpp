#include "base/sjis.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace sjis {
namespace {

// One iconv descriptor per direction and thread; iconv_open is expensive.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts `in`; on an invalid or unconvertible sequence either gives up
    // (strict) or writes `replacement` and skips one input character.
    bool convert(std::string_view in, std::string& out, bool strict, std::string_view replacement,
                 bool inputIsUtf8) {
        out.clear();
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in.data());
        size_t srcLeft = in.size();
        std::string buffer(in.size() * 2 + 16, '\0');
        while (srcLeft > 0) {
            char* dst = buffer.data();
            size_t dstLeft = buffer.size();
            size_t r = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            out.append(buffer.data(), buffer.size() - dstLeft);
            if (r != static_cast<size_t>(-1)) break;
            if (errno == E2BIG) continue;
            if (strict) return false;
            out.append(replacement);
            size_t skip = inputIsUtf8 ? utf8Length(static_cast<unsigned char>(*src))
                                      : cp932Length(src, srcLeft);
            if (skip > srcLeft) skip = srcLeft;
            src += skip;
            srcLeft -= skip;
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        }
        return true;
    }

private:
    static size_t utf8Length(unsigned char c) {
        if (c < 0x80) return 1;
        if ((c & 0xE0) == 0xC0) return 2;
        if ((c & 0xF0) == 0xE0) return 3;
        if ((c & 0xF8) == 0xF0) return 4;
        return 1;
    }
    static size_t cp932Length(const char* p, size_t left) {
        return (isLeadByte(static_cast<unsigned char>(*p)) && left >= 2) ? 2 : 1;
    }
    iconv_t cd_;
};

Converter& toCp932() {
    thread_local Converter c("CP932", "UTF-8");
    return c;
}
Converter& toUtf8Converter() {
    thread_local Converter c("UTF-8", "CP932");
    return c;
}

bool isAscii(std::string_view s) {
    for (unsigned char c : s)
        if (c >= 0x80) return false;
    return true;
}

}  // namespace

std::string fromUtf8(std::string_view utf8) {
    if (isAscii(utf8)) return std::string(utf8);
    std::string out;
    toCp932().convert(utf8, out, false, "?", true);
    return out;
}

bool tryFromUtf8(std::string_view utf8, std::string& out) {
    if (isAscii(utf8)) {
        out.assign(utf8);
        return true;
    }
    return toCp932().convert(utf8, out, true, "", true);
}

std::string toUtf8(std::string_view cp932) {
    if (isAscii(cp932)) return std::string(cp932);
    std::string out;
    toUtf8Converter().convert(cp932, out, false, "\xEF\xBF\xBD", false);
    return out;
}

std::string upperAscii(std::string_view text) {
    std::string out(text);
    for (size_t i = 0; i < out.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(out[i]);
        if (isLeadByte(c) && i + 1 < out.size()) {
            ++i;
            continue;
        }
        if (c >= 'a' && c <= 'z') out[i] = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

}  // namespace sjis
