// orvelle-cli search: the features whose attribute texts match, in search order.
#include <iostream>
#include <typeinfo>

#include "arguments.h"
#include "base/exception.h"
#include "base/sjis.h"
#include "command.h"
#include "data_loading.h"
#include "regex/regex_error.h"
#include "queries/map_queries.h"

namespace cli {
namespace {

const char* kindOf(const TKDKElement& f) { return KindInfo(f.FeatureKind).Name.data(); }

// "MAJOR" or "MAJOR.MINOR"; the other part stays -1 (any).
bool parseTarget(const std::string& text, int& major, int& minor) {
    size_t dot = text.find('.');
    if (!parseInt(text.substr(0, dot), major) || major < 0) return false;
    if (dot == std::string::npos) return true;
    return parseInt(text.substr(dot + 1), minor) && minor >= 0;
}

}  // namespace

int runSearch(const std::vector<std::string>& args) {
    bool useRegex = false;
    int major = -1, minor = -1;
    std::vector<std::string> positional;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--regex") {
            useRegex = true;
        } else if (args[i] == "--target") {
            if (i + 1 == args.size() || !parseTarget(args[i + 1], major, minor))
                return usageError("search", "--target needs MAJOR or MAJOR.MINOR");
            ++i;
        } else if (positional.size() < 2 && args[i].size() > 1 && args[i][0] == '-' &&
                   args[i].rfind("--", 0) == 0) {
            return usageError("search", "unknown option " + echoed(args[i]));
        } else {
            positional.push_back(args[i]);
        }
    }
    if (positional.size() != 2) return usageError("search", "needs PATH TEXT");
    std::string text;
    if (!sjis::tryFromUtf8(positional[1], text))
        return usageError("search", "TEXT holds a character Shift-JIS cannot write");

    LoadedData data;
    if (!loadForMapUse("search", positional[0], data)) return kExitFailed;
    std::vector<const TKDKElement*> found;
    int count = 0;
    try {
        count = SearchAttrib(*data.map, major, minor, found, useRegex, text);
    } catch (const ERegExpParser& e) {
        std::cerr << "orvelle-cli search: " << ExceptionText(e) << " (position " << e.ErrorPos << ")\n";
        return kExitFailed;
    }
    for (const TKDKElement* f : found) {
        char code[8];
        std::snprintf(code, sizeof code, "%04d", f->Code());
        std::cout << kindOf(*f) << ' ' << f->MeshNo << ' ' << f->Id << ' ' << code << '\n';
    }
    static const std::string summary = sjis::fromUtf8(u8"検索: %d件");
    char line[64];
    std::snprintf(line, sizeof line, summary.c_str(), count);
    std::cout << sjis::toUtf8(line) << '\n';
    return reportFatal("search", data);
}

}  // namespace cli
