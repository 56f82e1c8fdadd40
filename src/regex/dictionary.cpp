#include "regex/dictionary.h"

namespace {

// Shift-JIS trail bytes are 0x40 or above, so the quote, the comma and the
// blanks can be recognised byte by byte.
bool isBlank(char c) { return c != 0 && static_cast<unsigned char>(c) <= ' '; }

void skipBlanks(std::string_view text, std::size_t& i) {
    while (i < text.size() && isBlank(text[i])) ++i;
}

std::string readQuoted(std::string_view text, std::size_t& i) {
    std::string item;
    ++i;  // the opening quote
    while (i < text.size()) {
        if (text[i] == '"') {
            if (i + 1 < text.size() && text[i + 1] == '"') {
                item += '"';
                i += 2;
                continue;
            }
            ++i;  // the closing quote
            break;
        }
        item += text[i++];
    }
    return item;
}

}  // namespace

std::vector<std::string> ParseCommaText(std::string_view text) {
    std::vector<std::string> items;
    std::size_t i = 0;
    skipBlanks(text, i);
    while (i < text.size()) {
        if (text[i] == '"') {
            items.push_back(readQuoted(text, i));
        } else {
            std::size_t start = i;
            while (i < text.size() && text[i] != ',' && !isBlank(text[i])) ++i;
            items.emplace_back(text.substr(start, i - start));
        }
        skipBlanks(text, i);
        if (i < text.size() && text[i] == ',') {
            if (i + 1 == text.size()) items.emplace_back();
            ++i;
            skipBlanks(text, i);
        }
    }
    return items;
}
