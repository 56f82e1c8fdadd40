#include "reading/records.h"

#include <charconv>
#include <cstdio>
#include <cstring>
#include <limits>

#include "base/path_resolver.h"
#include "reading/messages.h"
#include "reading/read_errors.h"

namespace {

inline bool isBlank(unsigned char c) { return c >= 0x01 && c <= 0x20; }

}  // namespace

bool FileBytes::load(const std::string& fsPath) {
    data_.reset();
    size_ = 0;
    FILE* f = std::fopen(fsPath.c_str(), "rb");
    if (!f) return false;
    bool ok = std::fseek(f, 0, SEEK_END) == 0;
    const long size = ok ? std::ftell(f) : -1;
    ok = size >= 0;
    if (ok && size > 0) {
        data_.reset(new char[static_cast<size_t>(size)]);
        std::rewind(f);
        size_ = std::fread(data_.get(), 1, static_cast<size_t>(size), f);
    }
    std::fclose(f);
    cutAtNul();
    return ok;
}

void FileBytes::assign(std::string_view bytes) {
    data_.reset(new char[bytes.size() + 1]);
    if (!bytes.empty()) std::memcpy(data_.get(), bytes.data(), bytes.size());
    size_ = bytes.size();
    cutAtNul();
}

void FileBytes::cutAtNul() {
    if (size_ == 0) return;  // an empty file has no buffer at all
    if (const void* nul = std::memchr(data_.get(), 0, size_))
        size_ = static_cast<size_t>(static_cast<const char*>(nul) - data_.get());
}

bool LineCursor::next(std::string_view& line) {
    if (rest_.empty()) return false;
    const char* p = rest_.data();
    const size_t n = rest_.size();
    size_t i = 0;
    // Bytes above CR are never line ends: test those first.
    while (i < n && (static_cast<unsigned char>(p[i]) > '\r' || (p[i] != '\r' && p[i] != '\n'))) ++i;
    line = std::string_view(p, i);
    if (i < n && p[i] == '\r' && i + 1 < n && p[i + 1] == '\n')
        i += 2;
    else if (i < n)
        i += 1;
    rest_.remove_prefix(i);
    return true;
}

bool TextLines::load(const std::string& fsPath) {
    lines_.clear();
    if (!bytes_.load(fsPath)) return false;
    split();
    return true;
}

void TextLines::assign(std::string_view bytes) {
    bytes_.assign(bytes);
    split();
}

void TextLines::split() {
    lines_.clear();
    LineCursor cursor(bytes_.text());
    std::string_view line;
    while (cursor.next(line)) lines_.push_back(line);
}

void FieldList::split(std::string_view line) {
    fields_.clear();
    unquoted_.clear();
    const size_t n = line.size();
    size_t i = 0;
    auto skipBlanks = [&] {
        while (i < n && isBlank(static_cast<unsigned char>(line[i]))) ++i;
    };
    skipBlanks();
    while (i < n) {
        if (line[i] == '"') {
            // Quoted: runs to the next quote that is not doubled.
            size_t start = ++i;
            bool doubled = false;
            while (i < n) {
                if (line[i] == '"') {
                    if (i + 1 < n && line[i + 1] == '"') {
                        doubled = true;
                        i += 2;
                        continue;
                    }
                    break;
                }
                ++i;
            }
            std::string_view raw = line.substr(start, i - start);
            if (i < n) ++i;  // closing quote; an unclosed field keeps the rest of the line
            if (doubled) {
                std::string& s = unquoted_.emplace_back();
                for (size_t k = 0; k < raw.size(); ++k) {
                    s += raw[k];
                    if (raw[k] == '"' && k + 1 < raw.size() && raw[k + 1] == '"') ++k;
                }
                fields_.emplace_back(s);
            } else {
                fields_.push_back(raw);
            }
        } else {
            size_t start = i;
            while (i < n && line[i] != ',' && !isBlank(static_cast<unsigned char>(line[i]))) ++i;
            fields_.push_back(line.substr(start, i - start));
        }
        skipBlanks();
        if (i < n && line[i] == ',') {
            if (i == n - 1) fields_.emplace_back();
            ++i;
            skipBlanks();
        }
    }
}

std::vector<std::string> SplitFields(std::string_view line) {
    FieldList f;
    f.split(line);
    return {f.all().begin(), f.all().end()};
}

std::optional<int32_t> TryReadInt(std::string_view s) {
    size_t i = 0;
    while (i < s.size() && isBlank(static_cast<unsigned char>(s[i]))) ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    int base = 10;
    if (i < s.size() && s[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        base = 16;
        i += 2;
    } else if (i < s.size() && (s[i] == 'x' || s[i] == 'X')) {
        base = 16;
        ++i;
    }
    if (i >= s.size()) return std::nullopt;
    uint64_t value = 0;
    for (; i < s.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return std::nullopt;
        value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
        if (value > 0x80000000ull) return std::nullopt;
    }
    if (negative) return static_cast<int32_t>(-static_cast<int64_t>(value));
    if (value > 0x7FFFFFFFull) return std::nullopt;
    return static_cast<int32_t>(value);
}

std::optional<double> TryReadFloat(std::string_view s) {
    size_t i = 0;
    while (i < s.size() && isBlank(static_cast<unsigned char>(s[i]))) ++i;
    size_t numberStart = i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    const size_t afterSign = i;
    size_t digits = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++digits;
    }
    if (digits == 0) return std::nullopt;  // a sign or "." alone is no number
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        size_t expDigits = 0;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++expDigits;
        if (expDigits == 0) return std::nullopt;
    }
    if (i != s.size()) return std::nullopt;
    // from_chars takes no leading '+'.
    const char* first = s.data() + (s[numberStart] == '+' ? afterSign : numberStart);
    double v = 0;
    auto [ptr, ec] = std::from_chars(first, s.data() + s.size(), v);
    if (ec == std::errc::result_out_of_range) {
        // Keep overflow as infinity and underflow as zero rather than failing.
        return std::strtod(std::string(first, s.data() + s.size()).c_str(), nullptr);
    }
    if (ec != std::errc() || ptr != s.data() + s.size()) return std::nullopt;
    return v;
}

int32_t ReadInt(std::string_view field, std::string_view context, int line) {
    if (auto v = TryReadInt(field)) return *v;
    throw TKDKReadException(Messages().badInteger, line, context);
}

double ReadFloat(std::string_view field, std::string_view context, int line) {
    if (auto v = TryReadFloat(field)) return *v;
    throw TKDKReadException(Messages().badFloat, line, context);
}

TFeatureCode SplitCode(std::string_view field, std::string_view file, int line) {
    std::optional<int32_t> n;
    if (field.size() > 1) n = TryReadInt(field.substr(1));
    if (!n) throw EKDKConvertError(file, line, field);
    return {*n / 100, *n % 100};
}

bool TKDKHeadRecord::Read(std::string_view line) {
    *this = TKDKHeadRecord{};
    FieldList f;
    f.split(line);
    const size_t n = f.size();
    if (n != 11 && n != 12 && n != 15 && n != 16) return false;
    if (f[0] != "FH") return false;
    HeaderText = f[1];
    Folder = paths::folderPart(f[2]);
    FileName = paths::fileNamePart(f[2]);
    const std::string context = Folder + FileName;
    Value3 = ReadInt(f[3], context, 1);
    Value4 = ReadInt(f[4], context, 1);
    if (f[5] != "1" && f[5] != "2") return false;
    Value6 = ReadInt(f[6], context, 1);
    size_t k = 7;
    if (n == 12 || n == 16) Value7 = ReadInt(f[k++], context, 1);
    OriginY = ReadFloat(f[k], context, 1);
    OriginX = ReadFloat(f[k + 1], context, 1);
    CornerY = ReadFloat(f[k + 2], context, 1);
    CornerX = ReadFloat(f[k + 3], context, 1);
    return true;
}
