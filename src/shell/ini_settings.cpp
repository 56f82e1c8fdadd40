#include "shell/ini_settings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include "reading/mesh_reader.h"

namespace {

const QString kRecentSection = QStringLiteral("RecentFiles/File%1");

int readInt(const QSettings& ini, const QString& key, int fallback) {
    bool ok = false;
    int value = ini.value(key).toString().trimmed().toInt(&ok);
    return ok ? value : fallback;
}

QString readText(const QSettings& ini, const QString& key) { return ini.value(key).toString(); }

}  // namespace

TIniSettings ReadIniSettings(const QString& iniPath) {
    TIniSettings s;
    QSettings ini(iniPath, QSettings::IniFormat);
    s.Left = readInt(ini, "MainForm/Left", s.Left);
    s.Top = readInt(ini, "MainForm/Top", s.Top);
    s.Width = readInt(ini, "MainForm/Width", s.Width);
    s.Height = readInt(ini, "MainForm/Height", s.Height);
    s.ClearAtEnd = readInt(ini, "Cache/ClearAtEnd", s.ClearAtEnd ? 1 : 0) != 0;
    s.LastFileName = readText(ini, "Data/LastFileName");
    s.LastOpenFolder = readText(ini, "Data/LastOpenFolder");
    s.LastExportFolder = readText(ini, "Data/LastExportFolder");
    for (int i = 1; i <= kRecentFileCount; ++i) {
        QString path = readText(ini, kRecentSection.arg(i));
        if (!path.isEmpty() && !s.RecentFiles.contains(path)) s.RecentFiles.append(path);
    }
    s.DatumShift = DatumShiftFromName(readText(ini, "Coords/DatumShift").trimmed().toStdString())
                       .value_or(TDatumShift::dsHelmert);
    s.ReadingJobs = readInt(ini, "Data/ReadingJobs", 0);
    if (s.ReadingJobs < 0 || s.ReadingJobs > kMaxReadingJobs) s.ReadingJobs = 0;
    s.Readable = readInt(ini, "View/Readable", 0) != 0;
    return s;
}

bool WriteIniSettings(const QString& iniPath, const TIniSettings& s) {
    QDir().mkpath(QFileInfo(iniPath).absolutePath());
    QSettings ini(iniPath, QSettings::IniFormat);
    ini.setAtomicSyncRequired(true);
    ini.setValue("MainForm/Left", s.Left);
    ini.setValue("MainForm/Top", s.Top);
    ini.setValue("MainForm/Width", s.Width);
    ini.setValue("MainForm/Height", s.Height);
    ini.setValue("Cache/ClearAtEnd", s.ClearAtEnd ? 1 : 0);
    ini.setValue("Data/LastFileName", s.LastFileName);
    ini.setValue("Data/LastOpenFolder", s.LastOpenFolder);
    ini.setValue("Data/LastExportFolder", s.LastExportFolder);
    for (int i = 1; i <= kRecentFileCount; ++i) {
        if (i <= s.RecentFiles.size())
            ini.setValue(kRecentSection.arg(i), s.RecentFiles[i - 1]);
        else
            ini.remove(kRecentSection.arg(i));
    }
    ini.setValue("Coords/DatumShift", QString::fromLatin1(DatumShiftName(s.DatumShift).data()));
    ini.setValue("Data/ReadingJobs", s.ReadingJobs);
    ini.setValue("View/Readable", s.Readable ? 1 : 0);
    ini.sync();
    return ini.status() == QSettings::NoError;
}

void RememberRecent(QStringList& recent, const QString& path) {
    recent.removeAll(path);
    recent.prepend(path);
    while (recent.size() > kRecentFileCount) recent.removeLast();
}
