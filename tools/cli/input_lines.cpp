#include "input_lines.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string_view>

#include "arguments.h"
#include "base/sjis.h"

namespace cli {
namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";  // what toUtf8 puts for a bad sequence

std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.emplace_back(line);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

}  // namespace

bool isUtf8(std::string_view bytes) {
    size_t i = 0;
    while (i < bytes.size()) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        size_t length = 0;
        uint32_t code = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
            code = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            code = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            code = c & 0x07;
        } else {
            return false;
        }
        if (i + length > bytes.size()) return false;
        for (size_t k = 1; k < length; ++k) {
            const auto t = static_cast<unsigned char>(bytes[i + k]);
            if ((t & 0xC0) != 0x80) return false;
            code = code << 6 | (t & 0x3F);
        }
        const uint32_t smallest = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
        if (code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
        i += length;
    }
    return true;
}

std::optional<std::vector<std::string>> readInputLines(const std::string& source, std::string& problem) {
    std::ifstream file;
    if (source != "-") {
        file.open(source, std::ios::binary);
        if (!file) {
            problem = "cannot read " + echoed(source) + ": " + std::strerror(errno);
            return std::nullopt;
        }
    }
    std::istream& in = source == "-" ? std::cin : file;
    std::string text;
    char chunk[1 << 16];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) text.append(chunk, static_cast<size_t>(in.gcount()));
    if (in.bad()) {  // a folder, or a read error
        problem = "cannot read " + echoed(source) + ": " + std::strerror(errno);
        return std::nullopt;
    }
    if (text.rfind(kUtf8ByteOrderMark, 0) == 0) text.erase(0, kUtf8ByteOrderMark.size());
    std::vector<std::string> lines = splitLines(text);
    if (isUtf8(text)) return lines;
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string utf8 = sjis::toUtf8(lines[i]);
        if (utf8.find(kReplacementCharacter) != std::string::npos) {
            problem = echoed(source) + ":" + std::to_string(i + 1) + ": neither UTF-8 nor Shift_JIS";
            return std::nullopt;
        }
        lines[i] = std::move(utf8);
    }
    return lines;
}

}  // namespace cli
