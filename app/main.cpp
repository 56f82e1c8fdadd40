// orvelle [PATH...]: the viewer. Each PATH (a mesh description file, a
// municipality .lzh archive or a folder of meshes) is opened as the matching
// command would open it.
#include <QCommandLineParser>
#include <QIcon>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <exception>

#include "base/sjis.h"
#include "shell/cache_folder.h"
#include "shell_ui/main_form.h"
#include "shell_ui/orvelle_application.h"
#include "version/version.h"

namespace {

// Exit statuses, as orvelle-cli has them.
constexpr int kExitFailed = 1, kExitUsage = 2;

// Shown after the options by --help; the manual page orvelle(1) is made from
// --help, so this is its EXIT STATUS, ENVIRONMENT, FILES and EXAMPLES.
constexpr const char* kHelpEnd = R"(
Exit status:
  0  The window was closed.
  1  The cache folder cannot be written in Shift-JIS (set ORVELLE_HOME).
  2  Bad arguments.

Environment:
  ORVELLE_HOME   The folder of the settings, the web search engines and the
                 extracted archives (Maps), instead of the places below.
  ORVELLE_GRIDS  The folder of GSI's datum grids, instead of
                 share/orvelle/grids of the installation.

Files:
  ~/.config/orvelle/orvelle.ini  The settings.
  ~/.config/orvelle/engine.lst   The web search engines (Shift-JIS), copied
                                 from share/orvelle/engine.lst at first start.
  ~/.cache/orvelle/Maps          Municipality archives extracted for reading.
  /usr/share/orvelle/sample      A small synthetic municipality to try.

Examples:
  $ orvelle /usr/share/orvelle/sample
  $ orvelle 13101.lzh 13102.lzh

See also orvelle-cli(1), which reads, draws, converts and exports the same
maps from the command line.
)";

void describe(QCommandLineParser& parser) {
    parser.setApplicationDescription(
        "Viewer of the 1:2500 vector maps that the Geospatial Information Authority of Japan\n"
        "publishes as 数値地図2500 (空間データ基盤): opens mesh description files, municipality\n"
        "archives and folders of meshes into one map, with attribute search, addresses,\n"
        "routes, printing and export. Opening runs on a loading thread: the window stays\n"
        "live, and Esc stops before the next mesh. Files and folders can also be dropped\n"
        "on the window.");
    parser.addPositionalArgument("PATH",
                                 "A mesh description file (.TXT), a municipality archive (.lzh) or a folder of "
                                 "meshes, opened in turn.",
                                 "[PATH...]");
}

// --help and --version are answered without a display (the manual page is
// made from them at build time). Qt's own --help-all goes the usual way.
bool asksForText(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        for (const char* option : {"-h", "--help", "-?", "-v", "--version"})
            if (std::strcmp(argv[i], option) == 0) return true;
    return false;
}

int answerText(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    app.setApplicationName("orvelle");
    QCommandLineParser parser;
    describe(parser);
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    if (!parser.parse(app.arguments())) {
        std::fprintf(stderr, "orvelle: %s\nRun 'orvelle --help' for the options.\n", qPrintable(parser.errorText()));
        return kExitUsage;
    }
    if (parser.isSet(version)) {
        std::printf("orvelle %s\n", OrvelleVersionText());
    } else {
        std::printf("%s%s", qPrintable(parser.helpText()), kHelpEnd);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (asksForText(argc, argv)) return answerText(argc, argv);

    TOrvelleApplication app(argc, argv);
    app.setApplicationVersion(OrvelleVersionText());
    app.setWindowIcon(QIcon(":/orvelle/icons/orvelle.svg"));
    app.setDesktopFileName("orvelle");

    QCommandLineParser parser;
    describe(parser);
    parser.addHelpOption();
    parser.addVersionOption();
    if (!parser.parse(app.arguments())) {
        std::fprintf(stderr, "orvelle: %s\nRun 'orvelle --help' for the options.\n", qPrintable(parser.errorText()));
        return kExitUsage;
    }
    parser.process(app);  // --help-all

    std::string cacheFolder;
    try {
        cacheFolder = CacheFolder();
    } catch (const std::exception&) {
        // The reason names a path that Shift-JIS cannot hold, so the box cannot show it.
        ShowErrorBox(sjis::fromUtf8(u8"キャッシュフォルダのパスを Shift-JIS で表せません。"
                                    u8"Shift-JIS で表せるフォルダを環境変数 ORVELLE_HOME に設定してください"));
        return kExitFailed;
    }
    TMainForm form(ConfigFolderIn(CurrentProgramPlaces()), cacheFolder);
    form.show();
    const QStringList paths = parser.positionalArguments();
    if (!paths.isEmpty()) QTimer::singleShot(0, &form, [&form, paths] { form.OpenPaths(paths); });
    return app.exec();
}
