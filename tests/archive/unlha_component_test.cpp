#include "archive/unlha_component.h"

#include <gtest/gtest.h>

#include <functional>

#include "archive/unlha.h"
#include "base/sjis.h"

namespace {

using namespace std::string_literals;

TEST(UnlhaComponent, PropertiesAtCreation) {
    TUnlha u(262);
    EXPECT_EQ(u.ARCFileName, "");
    EXPECT_EQ(u.ARCPattern, "*.*");
    EXPECT_EQ(u.BaseDirName, "");
    EXPECT_EQ(u.Command, TCommand::cmdList);
    EXPECT_FALSE(u.Debug);
    EXPECT_TRUE(u.DisplayCSR);
    EXPECT_EQ(u.ExecMode, TExecMode::exForeGround);
    EXPECT_EQ(u.WorkDirName, "");
    EXPECT_EQ(u.ExtraSwitches, "");
    EXPECT_EQ(u.OutputLines, nullptr);
    EXPECT_EQ(u.VersionNumber(), 262);
    EXPECT_EQ(u.Version(), "Version 2.62");

    const TOptions& o = u.Options;
    EXPECT_FALSE(o.OpAllAttr);
    EXPECT_EQ(o.OpCompType, TOpCompType::ctLH5);
    EXPECT_FALSE(o.OpDictHalf);
    EXPECT_FALSE(o.OpDirEffect);
    EXPECT_TRUE(o.OpDlgYes.empty());
    EXPECT_TRUE(o.OpDskChk);
    EXPECT_EQ(o.OpLogDisp, TOpLogDisp::ldFileOnly);
    EXPECT_EQ(o.OpNameCheck, TOpNameCheck::ncNormal);
    EXPECT_EQ(o.OpReSearch, TOpReSearch::rsCurrent);
    EXPECT_TRUE(o.OpROot);
    EXPECT_FALSE(o.OpShortFile);
    EXPECT_TRUE(o.OpTmCheck);
    EXPECT_EQ(o.OpUpdFile, TOpUpdFile::ufToLatest);
    EXPECT_EQ(o.OpUpperCase, TOpUpperCase::ucNoTrans);
    EXPECT_EQ(o.OpWinSfx, TOpWinSfx::wsNone);
    EXPECT_TRUE(u.DlgOptions.OpExtDlg);
    EXPECT_TRUE(u.DlgOptions.OpSkipDlg);
    EXPECT_TRUE(u.DlgOptions.OpErrorDlg);
    EXPECT_TRUE(u.DlgOptions.OpProcessDlg);
    EXPECT_EQ(u.BuildSwitches(), "");
}

TEST(UnlhaComponent, VersionTexts) {
    EXPECT_EQ(VersionText(262), "2.62");
    EXPECT_EQ(VersionText(1234), "12.34");
    EXPECT_EQ(VersionText(100), "1.00");
    EXPECT_EQ(VersionText(95), "0.95");
    EXPECT_EQ(VersionText(31), "0.31");
    EXPECT_EQ(VersionText(7), "0.07");
    EXPECT_EQ(VersionText(5), "0.05");
    EXPECT_EQ(VersionText(0), "0.00");
    EXPECT_EQ(VersionText(65535), "655.35");
    EXPECT_EQ(TUnlha(7).Version(), "Version 0.07");
}

TEST(UnlhaComponent, VersionComesFromLhasa) {
    // lhasa a.b.c is read as a*100 + b*10 + c.
    EXPECT_EQ(archive::VersionNumberOf("0.3.1"), 31);
    EXPECT_EQ(archive::VersionNumberOf("1.2.3"), 123);
    EXPECT_EQ(archive::VersionNumberOf("0.4"), 40);
    EXPECT_EQ(archive::VersionNumberOf("2"), 200);
    EXPECT_EQ(archive::VersionNumberOf("0.3.1-rc2"), 31);
    EXPECT_EQ(archive::VersionNumberOf("999.0.0"), 65535);
    EXPECT_EQ(TUnlha().VersionNumber(), archive::VersionNumberOf(ORVELLE_TEST_LHASA_VERSION));
    if (std::string(ORVELLE_TEST_LHASA_VERSION) == "0.3.1") {
        EXPECT_EQ(TUnlha().Version(), "Version 0.31");
    }
}

struct SwitchCase {
    const char* expected;
    std::function<void(TUnlha&)> set;
};

TEST(UnlhaComponent, EachSwitchText) {
    const std::vector<SwitchCase> cases = {
        {" -a1", [](TUnlha& u) { u.Options.OpAllAttr = true; }},
        {" -jm0", [](TUnlha& u) { u.Options.OpCompType = TOpCompType::ctLH0; }},
        {" -jm1", [](TUnlha& u) { u.Options.OpCompType = TOpCompType::ctLH1; }},
        {"", [](TUnlha& u) { u.Options.OpCompType = TOpCompType::ctLH5; }},
        {" -jm3", [](TUnlha& u) { u.Options.OpCompType = TOpCompType::ctLH6; }},
        {" -e1", [](TUnlha& u) { u.Options.OpDictHalf = true; }},
        {" -x1", [](TUnlha& u) { u.Options.OpDirEffect = true; }},
        {" -jyc", [](TUnlha& u) { u.Options.OpDlgYes = {TOpDlgYesItem::dyDirectory}; }},
        {" -jyk", [](TUnlha& u) { u.Options.OpDlgYes = {TOpDlgYesItem::dyDiskSpace}; }},
        {" -f1", [](TUnlha& u) { u.Options.OpDskChk = false; }},
        {" -l1", [](TUnlha& u) { u.Options.OpLogDisp = TOpLogDisp::ldPathName; }},
        {" -l2", [](TUnlha& u) { u.Options.OpLogDisp = TOpLogDisp::ldDetail; }},
        {" -p1", [](TUnlha& u) { u.Options.OpNameCheck = TOpNameCheck::ncFullCompare; }},
        {" -p2", [](TUnlha& u) { u.Options.OpNameCheck = TOpNameCheck::ncSubTree; }},
        {" -r1", [](TUnlha& u) { u.Options.OpReSearch = TOpReSearch::rsFileSearch; }},
        {" -r2", [](TUnlha& u) { u.Options.OpReSearch = TOpReSearch::rsAllSearch; }},
        {" -jf0", [](TUnlha& u) { u.Options.OpROot = false; }},
        {" -ji1", [](TUnlha& u) { u.Options.OpShortFile = true; }},
        {" -c1", [](TUnlha& u) { u.Options.OpTmCheck = false; }},
        {" -u0", [](TUnlha& u) { u.Options.OpUpdFile = TOpUpdFile::ufNoUpdate; }},
        {" -u2", [](TUnlha& u) { u.Options.OpUpdFile = TOpUpdFile::ufToOld; }},
        {" -i1", [](TUnlha& u) { u.Options.OpUpperCase = TOpUpperCase::ucToUpper; }},
        {" -i2", [](TUnlha& u) { u.Options.OpUpperCase = TOpUpperCase::ucToLower; }},
        {" -jw1", [](TUnlha& u) { u.Options.OpWinSfx = TOpWinSfx::wsDialog; }},
        {" -jw2", [](TUnlha& u) { u.Options.OpWinSfx = TOpWinSfx::wsNoDialog; }},
        {" -gw1", [](TUnlha& u) { u.Options.OpWinSfx = TOpWinSfx::wsDialog32; }},
        {" -gw2", [](TUnlha& u) { u.Options.OpWinSfx = TOpWinSfx::wsNoDialog32; }},
        {" -n1", [](TUnlha& u) { u.DlgOptions.OpExtDlg = false; }},
        {" -s1", [](TUnlha& u) { u.DlgOptions.OpSkipDlg = false; }},
        {" -gm1", [](TUnlha& u) { u.DlgOptions.OpErrorDlg = false; }},
        {" -gn2", [](TUnlha& u) { u.DlgOptions.OpProcessDlg = false; }},
    };
    for (const SwitchCase& c : cases) {
        TUnlha u(262);
        c.set(u);
        EXPECT_EQ(u.BuildSwitches(), c.expected);
    }
}

TEST(UnlhaComponent, SwitchesComeInAFixedOrderWhateverTheOrderOfSetting) {
    TUnlha u(262);
    // Set in an order of their own; the command line keeps its fixed order.
    u.DlgOptions.OpProcessDlg = false;
    u.Options.OpWinSfx = TOpWinSfx::wsNoDialog32;
    u.Options.OpUpperCase = TOpUpperCase::ucToLower;
    u.Options.OpUpdFile = TOpUpdFile::ufToOld;
    u.Options.OpTmCheck = false;
    u.Options.OpShortFile = true;
    u.Options.OpROot = false;
    u.Options.OpReSearch = TOpReSearch::rsAllSearch;
    u.Options.OpNameCheck = TOpNameCheck::ncSubTree;
    u.Options.OpLogDisp = TOpLogDisp::ldDetail;
    u.Options.OpDskChk = false;
    u.Options.OpDlgYes = {TOpDlgYesItem::dyReplaceFile, TOpDlgYesItem::dyNewFileName, TOpDlgYesItem::dyDiskSpace,
                          TOpDlgYesItem::dyFileDelete, TOpDlgYesItem::dyDirectory};
    u.Options.OpDirEffect = true;
    u.Options.OpDictHalf = true;
    u.Options.OpCompType = TOpCompType::ctLH7;
    u.Options.OpAllAttr = true;
    u.DlgOptions.OpExtDlg = false;
    u.DlgOptions.OpSkipDlg = false;
    u.DlgOptions.OpErrorDlg = false;
    EXPECT_EQ(u.BuildSwitches(),
              " -a1 -jm4 -e1 -x1 -jycdkno -f1 -l2 -p2 -r2 -jf0 -ji1 -c1 -u2 -i2 -gw2 -n1 -s1 -gm1 -gn2");
}

TEST(UnlhaComponent, DialogYesLettersDoNotDependOnInsertionOrder) {
    TUnlha a(262), b(262);
    a.Options.OpDlgYes.insert(TOpDlgYesItem::dyReplaceFile);
    a.Options.OpDlgYes.insert(TOpDlgYesItem::dyDirectory);
    b.Options.OpDlgYes.insert(TOpDlgYesItem::dyDirectory);
    b.Options.OpDlgYes.insert(TOpDlgYesItem::dyReplaceFile);
    EXPECT_EQ(a.BuildSwitches(), " -jyco");
    EXPECT_EQ(b.BuildSwitches(), " -jyco");
}

TEST(UnlhaComponent, Lh7SwitchNeedsVersionAbove69) {
    TUnlha old(69), recent(70);
    old.Options.OpCompType = TOpCompType::ctLH7;
    recent.Options.OpCompType = TOpCompType::ctLH7;
    EXPECT_EQ(old.BuildSwitches(), "");
    EXPECT_EQ(recent.BuildSwitches(), " -jm4");
}

TEST(UnlhaComponent, ResetOptionsRestoresCreationValues) {
    TUnlha u(262);
    u.Options.OpCompType = TOpCompType::ctLH0;
    u.Options.OpDlgYes = {TOpDlgYesItem::dyDiskSpace};
    u.Options.OpROot = false;
    u.DlgOptions.OpErrorDlg = false;
    u.ARCPattern = "x";
    ASSERT_NE(u.BuildSwitches(), "");
    u.ResetOptions();
    EXPECT_EQ(u.BuildSwitches(), "");
    EXPECT_TRUE(u.Options.OpDlgYes.empty());
    EXPECT_TRUE(u.Options.OpROot);
    EXPECT_TRUE(u.DlgOptions.OpErrorDlg);
    EXPECT_EQ(u.ARCPattern, "x");  // only the options go back
}

TEST(UnlhaComponent, CommandLetters) {
    const char* letters = "ACDEFLMNPSTUVX";
    for (int i = 0; i <= static_cast<int>(TCommand::cmdDirExtract); ++i) {
        TUnlha u(262);
        u.Command = static_cast<TCommand>(i);
        u.ARCFileName = "a.lzh";
        EXPECT_EQ(u.BuildCommandLine(), std::string(1, letters[i]) + " -+ \"a.lzh\" \"*.*\"");
    }
}

TUnlha openCommandComponent() {
    TUnlha u(262);
    u.Command = TCommand::cmdExtract;
    u.ARCPattern.clear();
    u.Options.OpDirEffect = true;
    u.Options.OpDlgYes = {TOpDlgYesItem::dyDirectory, TOpDlgYesItem::dyReplaceFile};
    u.Options.OpReSearch = TOpReSearch::rsAllSearch;
    u.Options.OpROot = false;
    u.DlgOptions.OpExtDlg = false;
    return u;
}

TEST(UnlhaComponent, CommandLineOfTheOpenCommand) {
    TUnlha u = openCommandComponent();
    u.ARCFileName = "C:\\data\\13101.lzh";
    u.BaseDirName = "C:\\app\\Maps\\13101";
    EXPECT_EQ(u.BuildCommandLine(),
              "E -+ -x1 -jyco -r2 -jf0 -n1 \"C:\\data\\13101.lzh\" \"C:\\app\\Maps\\13101\\\" \"\"");
}

TEST(UnlhaComponent, BaseFolderQuoting) {
    TUnlha u = openCommandComponent();
    u.ARCFileName = "a.lzh";
    u.BaseDirName = "D:\\out\\";
    EXPECT_EQ(u.BuildCommandLine(), "E -+ -x1 -jyco -r2 -jf0 -n1 \"a.lzh\" \"D:\\out\\\" \"\"");
    u.BaseDirName = "/tmp/out";
    EXPECT_EQ(u.BuildCommandLine(), "E -+ -x1 -jyco -r2 -jf0 -n1 \"a.lzh\" \"/tmp/out\\\" \"\"");
    // 表 ends in the byte 0x5C but is no backslash: one is still added.
    u.BaseDirName = sjis::fromUtf8(u8"D:\\地図表");
    EXPECT_EQ(u.BuildCommandLine(),
              "E -+ -x1 -jyco -r2 -jf0 -n1 \"a.lzh\" \"" + sjis::fromUtf8(u8"D:\\地図表") + "\\\" \"\"");
    u.BaseDirName.clear();
    EXPECT_EQ(u.BuildCommandLine(), "E -+ -x1 -jyco -r2 -jf0 -n1 \"a.lzh\" \"\"");
}

TEST(UnlhaComponent, WorkFolderAndExtraSwitches) {
    TUnlha u(262);
    u.ARCFileName = "a.lzh";
    u.WorkDirName = "C:\\tmp";
    EXPECT_EQ(u.BuildCommandLine(), "L -+ \"-wC:\\tmp\\\"  \"a.lzh\" \"*.*\"");
    u.WorkDirName = "C:\\tmp\\";
    EXPECT_EQ(u.BuildCommandLine(), "L -+ \"-wC:\\tmp\\\"  \"a.lzh\" \"*.*\"");
    u.WorkDirName.clear();
    u.ExtraSwitches = "-q -z";
    EXPECT_EQ(u.BuildCommandLine(), "L -+ -q -z \"a.lzh\" \"*.*\"");
}

struct RecordingArchiver {
    int calls = 0;
    std::string line;
    std::string output;
    int result = 0;
    std::function<int(const std::string&, std::string&)> function() {
        return [this](const std::string& l, std::string& out) {
            ++calls;
            line = l;
            out = output;
            return result;
        };
    }
};

TEST(UnlhaComponent, ExecuteWithoutArchiveReturnsMinusOne) {
    TUnlha u(262);
    RecordingArchiver archiver;
    u.Archiver = archiver.function();
    EXPECT_EQ(u.Execute(), -1);
    EXPECT_EQ(archiver.calls, 0);
}

TEST(UnlhaComponent, DebugQuestionDecidesWhetherToRun) {
    TUnlha u(262);
    RecordingArchiver archiver;
    u.Archiver = archiver.function();
    u.ARCFileName = "a.lzh";
    u.Debug = true;
    EXPECT_EQ(u.Execute(), -999);  // nobody to answer OK
    std::string asked;
    u.OnConfirm = [&](const std::string& line) {
        asked = line;
        return false;
    };
    EXPECT_EQ(u.Execute(), -999);
    EXPECT_EQ(asked, "L -+ \"a.lzh\" \"*.*\"");
    EXPECT_EQ(archiver.calls, 0);
    u.OnConfirm = [](const std::string&) { return true; };
    archiver.result = 7;
    EXPECT_EQ(u.Execute(), 7);
    EXPECT_EQ(archiver.calls, 1);
    EXPECT_EQ(archiver.line, "L -+ \"a.lzh\" \"*.*\"");
}

TEST(UnlhaComponent, OutputLinesAreAddedWhenAttached) {
    TUnlha u(262);
    RecordingArchiver archiver;
    u.Archiver = archiver.function();
    u.ARCFileName = "a.lzh";
    archiver.output = "first\nsecond\n";
    EXPECT_EQ(u.Execute(), 0);  // nothing attached: nothing to add to
    std::vector<std::string> lines = {"earlier"};
    u.OutputLines = &lines;
    archiver.output = "one\n\ntwo\nthree\0after zero\n"s;
    u.Execute();
    EXPECT_EQ(lines, (std::vector<std::string>{"earlier", "one", "", "two", "three"}));
}

TEST(UnlhaComponent, OutputIsCutToTheBufferSize) {
    std::vector<std::string> lines;
    AddOutputLines(std::string(70000, 'x') + "\nlast\n", lines);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].size(), 65534u);
    lines.clear();
    AddOutputLines("no line feed", lines);
    EXPECT_EQ(lines, std::vector<std::string>{"no line feed"});
}

TEST(UnlhaComponent, UnsupportedCommandFails) {
    TUnlha u(262);
    std::vector<std::string> lines;
    u.OutputLines = &lines;
    u.ARCFileName = "a.lzh";  // cmdList
    EXPECT_EQ(u.Execute(), kUnlhaUnsupportedCommand);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("not supported"), std::string::npos);
}

}  // namespace
