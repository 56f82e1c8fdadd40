#include "archive/unlha_component.h"

#include "archive/sjis_separators.h"
#include "archive/unlha.h"

namespace {

constexpr size_t kOutputBufferSize = 65535;

// The command letters in the order of TCommand.
constexpr char kCommandLetters[] = "ACDEFLMNPSTUVX";

template <typename Enum>
const char* pick(Enum value, std::initializer_list<const char*> texts) {
    return texts.begin()[static_cast<size_t>(value)];
}

}  // namespace

std::string VersionText(uint16_t versionNumber) {
    std::string digits = std::to_string(versionNumber);
    if (digits.size() >= 3) return digits.substr(0, digits.size() - 2) + "." + digits.substr(digits.size() - 2);
    return "0." + std::string(2 - digits.size(), '0') + digits;
}

TUnlha::TUnlha() : TUnlha(UnlhaGetVersion()) {}

TUnlha::TUnlha(uint16_t versionNumber) : Archiver(&Unlha), versionNumber_(versionNumber) {}

void TUnlha::ResetOptions() {
    Options = TOptions{};
    DlgOptions = TDlgOptions{};
}

std::string TUnlha::BuildSwitches() const {
    const TOptions& o = Options;
    std::string s;
    if (o.OpAllAttr) s += " -a1";
    if (o.OpCompType == TOpCompType::ctLH7)
        s += versionNumber_ > 69 ? " -jm4" : "";
    else
        s += pick(o.OpCompType, {" -jm0", " -jm1", "", " -jm3"});
    if (o.OpDictHalf) s += " -e1";
    if (o.OpDirEffect) s += " -x1";
    if (!o.OpDlgYes.empty()) {
        s += " -jy";
        // std::set keeps its members in enumeration order, which is the letters' order.
        for (TOpDlgYesItem item : o.OpDlgYes) s += pick(item, {"c", "d", "k", "n", "o"});
    }
    if (!o.OpDskChk) s += " -f1";
    s += pick(o.OpLogDisp, {"", " -l1", " -l2"});
    s += pick(o.OpNameCheck, {"", " -p1", " -p2"});
    s += pick(o.OpReSearch, {"", " -r1", " -r2"});
    if (!o.OpROot) s += " -jf0";
    if (o.OpShortFile) s += " -ji1";
    if (!o.OpTmCheck) s += " -c1";
    s += pick(o.OpUpdFile, {" -u0", "", " -u2"});
    s += pick(o.OpUpperCase, {"", " -i1", " -i2"});
    s += pick(o.OpWinSfx, {"", " -jw1", " -jw2", " -gw1", " -gw2"});
    if (!DlgOptions.OpExtDlg) s += " -n1";
    if (!DlgOptions.OpSkipDlg) s += " -s1";
    if (!DlgOptions.OpErrorDlg) s += " -gm1";
    if (!DlgOptions.OpProcessDlg) s += " -gn2";
    return s;
}

std::string TUnlha::BuildCommandLine() const {
    std::string line(1, kCommandLetters[static_cast<size_t>(Command)]);
    line += " -+";
    line += BuildSwitches();
    if (!WorkDirName.empty()) {
        line += " \"-w" + WorkDirName;
        if (!archive::EndsWithBackslash(WorkDirName)) line += '\\';
        line += "\" ";
    }
    if (!ExtraSwitches.empty()) line += " " + ExtraSwitches;
    line += " \"" + ARCFileName + "\"";
    if (!BaseDirName.empty()) {
        line += " \"" + BaseDirName;
        if (!archive::EndsWithBackslash(BaseDirName)) line += '\\';
        line += '"';
    }
    line += " \"" + ARCPattern + "\"";
    return line;
}

int TUnlha::Execute() {
    if (ARCFileName.empty()) return kExecuteNoArchive;
    const std::string line = BuildCommandLine();
    if (Debug && !(OnConfirm && OnConfirm(line))) return kExecuteCancelled;
    std::string output;
    int result = Archiver ? Archiver(line, output) : Unlha(line, output);
    if (OutputLines) AddOutputLines(output, *OutputLines);
    return result;
}

void AddOutputLines(std::string_view output, std::vector<std::string>& lines) {
    output = output.substr(0, output.find('\0'));
    if (output.size() > kOutputBufferSize - 1) output = output.substr(0, kOutputBufferSize - 1);
    size_t start = 0;
    while (start < output.size()) {
        size_t end = output.find('\n', start);
        if (end == std::string_view::npos) end = output.size();
        lines.emplace_back(output.substr(start, end - start));
        start = end + 1;
    }
}
