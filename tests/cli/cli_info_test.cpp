// orvelle-cli info as a black box: run the program on fixtures, parse its JSON.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <string>

#include "support/cli_run.h"
#include "support/lzh_writer.h"
#include "support/mesh_fixture.h"
#include "support/temp_dir.h"

using meshfiles::arcRecord;

namespace {

using CliRun = testsupport::CliResult;

CliRun runCli(const std::string& args) { return testsupport::RunProgram(ORVELLE_CLI, args); }

QJsonObject parse(const std::string& json) {
    QJsonParseError error;
    QJsonDocument d = QJsonDocument::fromJson(QByteArray::fromStdString(json), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << json;
    return d.object();
}

std::string quoted(const std::filesystem::path& p) { return testsupport::ShellQuoted(p.string()); }

CliRun runCliWithHome(const std::filesystem::path& home, const std::string& args) {
    return testsupport::RunProgram("env ORVELLE_HOME=" + quoted(home) + " " + ORVELLE_CLI, args);
}

void writeMesh(const std::filesystem::path& root, const std::string& name, double x0, bool broken) {
    testsupport::MeshFixture m(root, name);
    m.description().southWest = {x0, 0};
    m.description().northEast = {x0 + 100, 50};
    m.layer("GYOUSEI\\GYOUSEI.ARC", {arcRecord(1106, 0, 1, 2), "0,0", "1,1", arcRecord(1108, 0, 2, 1), "2,2"});
    m.layer("GYOUSEI\\GYOUSEI.PGN", {meshfiles::polygonRecord(1106, 1, 1, {0.5, 0.5}), "1"});
    m.layer("GYOUSEI\\GYOUSEI.ATR", {meshfiles::attributeRecord('A', 1106, 1, {"13101", "001", u8"一番町"}),
                                     meshfiles::attributeRecord('P', 7301, 5, {})});
    if (broken) m.layer("GYOUSEI\\GYOUSEI.PNT", {"P7301,1,x,1"});
    m.write();
}

}  // namespace

TEST(CliInfo, FolderOfMeshesAsJson) {
    testsupport::TempDir dir;
    writeMesh(dir.path(), "53394611", 0, false);
    writeMesh(dir.path(), "53394612", 100, false);
    CliRun r = runCli("info --json --features " + quoted(dir.path()));
    ASSERT_EQ(r.status, 0) << r.out;
    QJsonObject o = parse(r.out);
    QJsonArray meshes = o["meshes"].toArray();
    ASSERT_EQ(meshes.size(), 2);
    EXPECT_EQ(meshes[1].toObject()["base_name"].toString(), "53394612");
    EXPECT_EQ(meshes[1].toObject()["mesh_no"].toInt(), 1);
    EXPECT_EQ(o["source_format"].toString(), "cfProjectedJGD09");
    EXPECT_TRUE(o["has_blocks"].toBool());
    EXPECT_EQ(o["extent"].toObject()["max_x"].toDouble(), 200);
    EXPECT_EQ(o["counts"].toObject()["lines"].toInt(), 4);
    EXPECT_EQ(o["counts"].toObject()["attributes"].toInt(), 4);
    EXPECT_TRUE(o["fatal"].isNull());
    QJsonArray errors = o["errors"].toArray();
    ASSERT_EQ(errors.size(), 2);
    EXPECT_EQ(errors[0].toString(), QString::fromUtf8(u8"属性対象点(5)が見つかりません..\\53394611\\GYOUSEI\\GYOUSEI.ATR(3)"));

    QJsonObject line = o["lines"].toArray()[0].toObject();
    EXPECT_EQ(line["code"].toInt(), 1106);
    EXPECT_EQ(line["pen"].toString(), "dash");
    EXPECT_EQ(line["vertices"].toArray()[1].toArray()[0].toDouble(), 1);
    EXPECT_TRUE(line["attribute"].isNull());
    QJsonObject polygon = o["polygons"].toArray()[0].toObject();
    EXPECT_EQ(polygon["ring"].toArray().size(), 2);
    EXPECT_EQ(polygon["attribute"].toInt(), 0);
    QJsonObject attribute = o["attributes"].toArray()[0].toObject();
    EXPECT_EQ(attribute["kind"].toString(), "A");
    EXPECT_EQ(attribute["values"].toArray()[2].toString(), QString::fromUtf8(u8"一番町"));
    EXPECT_EQ(attribute["label"].toObject()["text"].toString(), QString::fromUtf8(u8"一番町"));
    EXPECT_EQ(attribute["label"].toObject()["color"].toInt(), 0x800000);
    EXPECT_TRUE(o["attributes"].toArray()[1].toObject()["label"].isNull());
}

TEST(CliInfo, FatalErrorKeepsWhatWasReadAndExitsOne) {
    testsupport::TempDir dir;
    writeMesh(dir.path(), "53394611", 0, true);
    CliRun r = runCli("info --json " + quoted(dir.path() / "53394611" / "53394611.TXT"));
    EXPECT_EQ(r.status, 1);
    QJsonObject o = parse(r.out);
    EXPECT_EQ(o["counts"].toObject()["lines"].toInt(), 2);
    EXPECT_EQ(o["meshes"].toArray().size(), 0);
    EXPECT_TRUE(o["fatal"].toString().endsWith(QString::fromUtf8(u8"GYOUSEI.PNT(2): 不正な浮動小数点変換")))
        << o["fatal"].toString().toStdString();
}

TEST(CliInfo, AnyNumberOfReadersGivesTheSameOutput) {
    // Six meshes, each with an error line; the fifth fails, so the load ends there.
    testsupport::TempDir dir;
    for (int i = 0; i < 6; ++i) writeMesh(dir.path(), "5339461" + std::to_string(i), 100.0 * i, i == 4);
    for (const char* command : {"info --json --features", "info"}) {
        const std::string args = std::string(command) + " " + quoted(dir.path());
        const CliRun sequential = runCli("--jobs 1 " + args);
        EXPECT_EQ(sequential.status, 1);
        EXPECT_NE(sequential.out.find("53394613"), std::string::npos);
        EXPECT_EQ(sequential.out.find("53394615"), std::string::npos);
        for (const std::string& jobs : {std::string(" --jobs 2"), std::string(" --jobs 6"), std::string()}) {
            const CliRun parallel = runCli(args + jobs);
            EXPECT_EQ(parallel.status, sequential.status) << jobs;
            EXPECT_TRUE(parallel.out == sequential.out) << command << jobs << "\n" << parallel.out;
        }
    }
}

TEST(CliInfo, BadArgumentsExitTwo) {
    EXPECT_EQ(runCli("info --jobs 0 .").status, 2);
    EXPECT_EQ(runCli("info . --jobs").status, 2);
    EXPECT_EQ(runCli("info --jobs many .").status, 2);
    EXPECT_EQ(runCli("--jobs 2 regex a a").status, 2);
    EXPECT_EQ(runCli("info").status, 2);
    EXPECT_EQ(runCli("info --bogus x").status, 2);
    EXPECT_EQ(runCli("nosuchcommand").status, 2);
    CliRun r = runCli("info /nonexistent/path.txt");
    EXPECT_EQ(r.status, 1);
}

TEST(CliInfo, MessagesEchoAtMost80CharactersOfTheInput) {
    // A byte that is no UTF-8, an escape character, then 100 letters: 80 characters shown, then "…".
    const std::string option = "--\xFF\x1B" + std::string(100, 'a');
    const CliRun r = runCli("info " + testsupport::ShellQuoted(option));
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err.substr(0, r.err.find('\n') + 1),
              "orvelle-cli info: unknown option --\\xFF\\x1B" + std::string(76, 'a') + u8"…\n");
    // Characters, not bytes: of "/nonexistent/" and 81 kanji, 67 kanji are shown; a short input whole.
    std::string kanji;
    for (int i = 0; i < 81; ++i) kanji += u8"町";
    const CliRun points = runCli("pick x --points " + testsupport::ShellQuoted("/nonexistent/" + kanji));
    EXPECT_EQ(points.status, 1);
    const std::string shown = "/nonexistent/" + kanji.substr(0, 3 * 67) + u8"…";
    EXPECT_NE(points.err.find("cannot read " + shown + ": No such file or directory\n"), std::string::npos) << points.err;
    EXPECT_NE(runCli("nosuchcommand").err.find("unknown command 'nosuchcommand'\n"), std::string::npos);
}

TEST(CliInfo, ArchiveOpensWithTheSameCountsAsItsFolder) {
    testsupport::TempDir dir;
    const auto data = dir.path() / "13101";
    writeMesh(data, "53394611", 0, false);
    writeMesh(data, "53394612", 100, false);
    testsupport::MakeArchiveWithJlha(data, dir.path() / "13101.LZH", "y",
                                     {"53394611", "53394612"});
    CliRun folder = runCli("info --json " + quoted(data));
    CliRun archive = runCliWithHome(dir.path() / "home", "info --json " + quoted(dir.path() / "13101.LZH"));
    ASSERT_EQ(archive.status, 0) << archive.out;
    QJsonObject f = parse(folder.out), a = parse(archive.out);
    EXPECT_EQ(a["counts"], f["counts"]);
    EXPECT_EQ(a["meshes"].toArray().size(), 2);
    EXPECT_EQ(a["errors"].toArray().size(), f["errors"].toArray().size());
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "home" / "Maps" / "13101" / "53394611"));

    testsupport::WriteBytes(dir.path() / "broken.lzh", "not an archive at all");
    CliRun broken = runCliWithHome(dir.path() / "home", "info --json " + quoted(dir.path() / "broken.lzh"));
    EXPECT_EQ(broken.status, 1);
    EXPECT_FALSE(parse(broken.out)["fatal"].isNull());
}
