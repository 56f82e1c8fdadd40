#pragma once
// Comma-separated text, one rule for the layer and description files, the
// web search engine list and the regular expressions' dictionaries:
// - blanks (bytes 0x01 to 0x20, space and tab among them) before and after a
//   field are skipped;
// - a field that starts with a double quote runs to the next quote that is
//   not doubled and may hold commas and blanks; two quotes in a row inside it
//   stand for one; without a closing quote it runs to the end of the text;
// - an unquoted field ends at the first comma or blank, so a blank inside it
//   splits it in two, and text right after a closing quote starts a new field;
// - a comma directly after a comma gives an empty field, and a comma that is
//   the text's last byte adds a final empty one (a comma followed only by
//   blanks adds none);
// - an empty text, or one of blanks only, has no fields.
// Shift-JIS trail bytes are 0x40 or above, so the split works byte by byte.
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

// What a NUL byte is. In the data files and the dictionaries it is text of
// its field (a NUL ends a data file before it is split); the engine list is
// split as it was read, and there a NUL is a blank like the other control
// characters.
enum class NulByte : uint8_t { InField, Blank };

// The fields of one text. Fields are views into the text, or into storage of
// this object for quoted fields with doubled quotes; they stay valid until the
// next split.
class FieldList {
public:
    void split(std::string_view text, NulByte nul = NulByte::InField);
    size_t size() const { return fields_.size(); }
    bool empty() const { return fields_.empty(); }
    std::string_view operator[](size_t i) const { return fields_[i]; }
    const std::vector<std::string_view>& all() const { return fields_; }

private:
    std::vector<std::string_view> fields_;
    std::deque<std::string> unquoted_;
};

// Convenience form returning owned texts.
std::vector<std::string> SplitFields(std::string_view text, NulByte nul = NulByte::InField);
