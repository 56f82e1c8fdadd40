// The INI settings (defaults, bad values, round trip, recent paths) and the
// error box's full-stop rule.
#include <gtest/gtest.h>

#include <QFile>
#include <fstream>

#include "base/sjis.h"
#include "shell/error_text.h"
#include "shell/ini_settings.h"
#include "support/temp_dir.h"

namespace {

QString iniIn(const testsupport::TempDir& dir) { return QString::fromStdString((dir.path() / "sub" / "o.ini").string()); }

TEST(IniSettings, MissingFileGivesDefaultsAndBadValuesTheirKeysDefault) {
    testsupport::TempDir dir;
    const TIniSettings d = ReadIniSettings(iniIn(dir));
    EXPECT_EQ(d.Left, -1);
    EXPECT_EQ(d.Top, -1);
    EXPECT_EQ(d.Width, 640);
    EXPECT_EQ(d.Height, 480);
    EXPECT_TRUE(d.ClearAtEnd);
    EXPECT_TRUE(d.LastFileName.isEmpty() && d.RecentFiles.isEmpty());
    EXPECT_EQ(d.DatumShift, TDatumShift::dsHelmert);
    EXPECT_EQ(d.ReadingJobs, 0);

    std::filesystem::create_directories(dir.path() / "sub");
    std::ofstream(dir.path() / "sub" / "o.ini")
        << "[MainForm]\nLeft=12\nTop=x1\nWidth=800\nHeight=\n[Cache]\nClearAtEnd=zero\n[Coords]\nDatumShift=tky2jgd\n"
        << "[Data]\nReadingJobs=65\n";
    const TIniSettings s = ReadIniSettings(iniIn(dir));
    EXPECT_EQ(s.Left, 12);
    EXPECT_EQ(s.Top, -1);
    EXPECT_EQ(s.Width, 800);
    EXPECT_EQ(s.Height, 480);
    EXPECT_TRUE(s.ClearAtEnd);
    EXPECT_EQ(s.DatumShift, TDatumShift::dsHelmert);
    EXPECT_EQ(s.ReadingJobs, 0);  // beyond the most readers: one per core
    EXPECT_FALSE(s.Readable);
}

TEST(IniSettings, WrittenValuesReadBackWithClearAtEndAsDigit) {
    testsupport::TempDir dir;
    TIniSettings s;
    s.Left = 5;
    s.Top = 6;
    s.Width = 700;
    s.Height = 500;
    s.ClearAtEnd = false;
    s.LastFileName = QString::fromUtf8("/データ/13101.lzh");
    s.LastOpenFolder = "/a,b;c";
    s.RecentFiles = {"/r1", "/r2"};
    s.DatumShift = TDatumShift::dsGrid;
    s.ReadingJobs = 3;
    s.Readable = true;
    ASSERT_TRUE(WriteIniSettings(iniIn(dir), s));
    QFile file(iniIn(dir));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_TRUE(text.contains("ClearAtEnd=0"));
    EXPECT_TRUE(text.contains("[Coords]\nDatumShift=grid")) << text.constData();
    EXPECT_TRUE(text.contains("[View]\nReadable=1")) << text.constData();
    const TIniSettings r = ReadIniSettings(iniIn(dir));
    EXPECT_EQ(r.Left, 5);
    EXPECT_EQ(r.Top, 6);
    EXPECT_EQ(r.Width, 700);
    EXPECT_EQ(r.Height, 500);
    EXPECT_FALSE(r.ClearAtEnd);
    EXPECT_EQ(r.LastFileName, s.LastFileName);
    EXPECT_EQ(r.LastOpenFolder, s.LastOpenFolder);
    EXPECT_EQ(r.RecentFiles, s.RecentFiles);
    EXPECT_EQ(r.DatumShift, TDatumShift::dsGrid);
    EXPECT_EQ(r.ReadingJobs, 3);
    EXPECT_TRUE(r.Readable);
    // A shorter list leaves no stale entries behind.
    s.RecentFiles = {"/r3"};
    ASSERT_TRUE(WriteIniSettings(iniIn(dir), s));
    EXPECT_EQ(ReadIniSettings(iniIn(dir)).RecentFiles, QStringList{"/r3"});
}

TEST(IniSettings, RecentPathsMoveToTheFrontAndKeepEight) {
    QStringList recent;
    for (int i = 0; i < 10; ++i) RememberRecent(recent, QString::number(i));
    EXPECT_EQ(recent, (QStringList{"9", "8", "7", "6", "5", "4", "3", "2"}));
    RememberRecent(recent, "5");
    EXPECT_EQ(recent, (QStringList{"5", "9", "8", "7", "6", "4", "3", "2"}));
}

TEST(ErrorBoxText, FullStopOnlyAfterCharactersAboveTheFullStop) {
    EXPECT_EQ(ErrorBoxText("File not found"), "File not found.");
    EXPECT_EQ(ErrorBoxText("bad record (line 3)"), "bad record (line 3)");
    EXPECT_EQ(ErrorBoxText("ends with a full stop."), "ends with a full stop.");
    EXPECT_EQ(ErrorBoxText("ends with a dash -"), "ends with a dash -");
    EXPECT_EQ(ErrorBoxText("path /"), "path /.");
    EXPECT_EQ(ErrorBoxText(""), "");
    const std::string japanese = sjis::fromUtf8("ファイルが開けません");
    EXPECT_EQ(ErrorBoxText(japanese), japanese + ".");
    const std::string closing = sjis::fromUtf8("見つかりません(A.ARC)");
    EXPECT_EQ(ErrorBoxText(closing), closing);
}

}  // namespace
