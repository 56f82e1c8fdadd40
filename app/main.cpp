// orvelle [PATH...]: the viewer. Each PATH (a mesh description file, a
// municipality .lzh archive or a folder of meshes) is opened as the matching
// command would open it.
#include <QCommandLineParser>
#include <QIcon>
#include <QTimer>
#include <exception>

#include "base/sjis.h"
#include "shell/cache_folder.h"
#include "shell_ui/main_form.h"
#include "shell_ui/orvelle_application.h"

int main(int argc, char** argv) {
    TOrvelleApplication app(argc, argv);
    app.setApplicationVersion("1.3.5");
    app.setWindowIcon(QIcon(":/orvelle/icons/orvelle.svg"));
    app.setDesktopFileName("orvelle");

    QCommandLineParser parser;
    parser.setApplicationDescription("Viewer of 数値地図2500 map data.");
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument("PATH", "A mesh description file (.txt), a municipality archive (.lzh) or a folder of meshes.",
                                 "[PATH...]");
    parser.process(app);

    std::string cacheFolder;
    try {
        cacheFolder = CacheFolder();
    } catch (const std::exception&) {
        // The reason names a path that Shift-JIS cannot hold, so the box cannot show it.
        ShowErrorBox(sjis::fromUtf8(u8"キャッシュフォルダのパスを Shift-JIS で表せません。"
                                    u8"Shift-JIS で表せるフォルダを環境変数 ORVELLE_HOME に設定してください"));
        return 1;
    }
    TMainForm form(ConfigFolderIn(CurrentProgramPlaces()), cacheFolder);
    form.show();
    const QStringList paths = parser.positionalArguments();
    if (!paths.isEmpty()) QTimer::singleShot(0, &form, [&form, paths] { form.OpenPaths(paths); });
    return app.exec();
}
