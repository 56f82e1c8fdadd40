// orvelle-cli regex: runs the Shift-JIS regular-expression engine on texts
// given in UTF-8, reporting positions and lengths in Shift-JIS bytes.
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "arguments.h"
#include "base/exception.h"
#include "base/sjis.h"
#include "command.h"
#include "regex/awk_string.h"
#include "regex/fuzzy_dictionary.h"
#include "regex/preprocessor.h"
#include "regex/regex_error.h"

namespace cli {
namespace {

enum class Mode { Match, Preprocess, Expand };

struct RegexArgs {
    Mode mode = Mode::Match;
    bool fuzzy = false;
    bool lf = false;
    std::vector<std::string> operands;  // converted to Shift-JIS
};

int reportError(const ERegExpParser& e) {
    std::cerr << "error: " << ExceptionText(e) << " (position " << e.ErrorPos << ")\n";
    return kExitFailed;
}

// Parses the options; returns an exit status when the arguments are bad.
std::optional<int> parseArgs(const std::vector<std::string>& args, RegexArgs& out) {
    bool optionsEnded = false;
    std::size_t modes = 0;
    for (const std::string& a : args) {
        if (!optionsEnded && a == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && a == "--fuzzy") {
            out.fuzzy = true;
        } else if (!optionsEnded && a == "--lf") {
            out.lf = true;
        } else if (!optionsEnded && (a == "--preprocess" || a == "--expand")) {
            out.mode = a == "--expand" ? Mode::Expand : Mode::Preprocess;
            ++modes;
        } else if (!optionsEnded && a.size() > 1 && a[0] == '-' && a[1] == '-') {
            return usageError("regex", "unknown option " + echoed(a));
        } else {
            std::string sjisText;
            if (!sjis::tryFromUtf8(a, sjisText))
                return usageError("regex", "'" + echoed(a) + "' holds a character Shift-JIS cannot represent");
            out.operands.push_back(std::move(sjisText));
        }
    }
    if (modes > 1) return usageError("regex", "--preprocess and --expand exclude each other");
    switch (out.mode) {
        case Mode::Match:
            if (out.operands.size() < 2) return usageError("regex", "need PATTERN and at least one TEXT");
            break;
        case Mode::Preprocess:
            if (out.lf) return usageError("regex", "--lf has no meaning with --preprocess");
            if (out.operands.size() != 1) return usageError("regex", "--preprocess takes one PATTERN");
            break;
        case Mode::Expand:
            if (out.fuzzy || out.lf) return usageError("regex", "--expand takes no other option");
            if (out.operands.size() != 1) return usageError("regex", "--expand takes one TEXT");
            break;
    }
    return std::nullopt;
}

int runMatch(const RegexArgs& a) {
    TAWKStr re;
    re.SetLineSeparator(a.lf ? mcls_LF : mcls_CRLF);
    re.SetUseFuzzyCharDic(a.fuzzy);
    re.SetRegExp(a.operands[0]);
    for (std::size_t i = 1; i < a.operands.size(); ++i) {
        std::size_t position = 0, length = 0;
        re.Match(a.operands[i], position, length);
        std::cout << position << ' ' << length << '\n';
    }
    return kExitOk;
}

int runPreprocess(const RegexArgs& a) {
    TREPreProcessor pre;
    pre.FuzzyCharDics().push_back(&FuzzyCharDic());
    pre.SetUseFuzzyCharDic(a.fuzzy);
    pre.SetText(a.operands[0]);
    pre.Run();
    std::cout << sjis::toUtf8(pre.Result()) << '\n';
    return kExitOk;
}

int runExpand(const RegexArgs& a) {
    const std::string expanded = TAWKStr::ExpandEscapes(a.operands[0]);
    std::string line;
    for (unsigned char c : expanded) {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%02X", c);
        if (!line.empty()) line += ' ';
        line += hex;
    }
    std::cout << line << '\n';
    return kExitOk;
}

}  // namespace

int runRegex(const std::vector<std::string>& args) {
    RegexArgs a;
    if (auto status = parseArgs(args, a)) return *status;
    try {
        switch (a.mode) {
            case Mode::Match: return runMatch(a);
            case Mode::Preprocess: return runPreprocess(a);
            case Mode::Expand: return runExpand(a);
        }
    } catch (const ERegExpParser& e) {
        return reportError(e);
    }
    return kExitFailed;
}

}  // namespace cli
