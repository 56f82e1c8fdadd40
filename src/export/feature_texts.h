#pragma once
// The texts of an exported feature, in UTF-8: the code's class name, its
// attribute values as a JSON array; and the bytes a writer is given for a text
// in the output's encoding.
#include <span>
#include <string>
#include <unordered_map>

#include "export/export_options.h"
#include "map/features.h"
#include "tables/colors.h"

class TFeatureTexts {
public:
    // `recodedByWriter`: the writer takes UTF-8 and writes the encoding itself
    // (Shapefile, MapInfo); otherwise it writes the bytes it is given.
    TFeatureTexts(TExportEncoding encoding, bool recodedByWriter)
        : encoding_(encoding), recodedByWriter_(recodedByWriter) {}

    // The class of a feature of that kind and code: the heading its details
    // text gives (市区町村, 道路線 ...), otherwise the code-name table's name;
    // empty when neither has one.
    const std::string& ClassName(TFeatureKind kind, int major, int minor);
    // `utf8` as the writer is to be given it; false when the output's
    // encoding cannot hold one of its characters.
    bool Output(const std::string& utf8, std::string& out) const;
    TExportEncoding Encoding() const { return encoding_; }

private:
    TExportEncoding encoding_;
    bool recodedByWriter_;
    std::unordered_map<int, std::string> classNames_;
};
// The message of a text the output's encoding cannot hold: the feature, the
// field and the text (UTF-8).
std::string TextOutsideEncoding(const std::string& feature, const std::string& field, const std::string& utf8,
                                TExportEncoding encoding);
// `utf8` as a JSON string, quotes included, appended to `out`.
void AppendJsonString(std::string& out, const std::string& utf8);
// ["value", ...] with every value converted from Shift-JIS.
std::string ValuesJson(const TKDKAttribute& record);
// [1,-2,...]
std::string IntListJson(std::span<const int32_t> values);
// "#rrggbb" of a TColor (0x00BBGGRR).
std::string ColourText(TColor colour);
