#pragma once
// The viewer's INI file: the window bounds, the cache choice, the last
// opened file and folder, and the recently opened paths. Read once at start
// and written once at shutdown; a missing or unreadable file, or a value
// that is not a number where one belongs, gives the defaults.
#include <QString>
#include <QStringList>

#include "view/datum_shift.h"

struct TIniSettings {
    int Left = -1;  // -1: centre the window on the screen
    int Top = -1;
    int Width = 640;
    int Height = 480;
    bool ClearAtEnd = true;
    QString LastFileName;    // file-system paths
    QString LastOpenFolder;
    QString LastExportFolder;  // where the export dialog starts
    QStringList RecentFiles;  // newest first
    TDatumShift DatumShift = TDatumShift::dsHelmert;  // "Coords" DatumShift: helmert or grid
    int ReadingJobs = 0;  // "Data" ReadingJobs: meshes read at once, 0 for one per core
    bool Readable = false;  // "View" Readable: 1 for the readable drawing
};

inline constexpr int kRecentFileCount = 8;

// Reads "MainForm" Left, Top, Width, Height, "Cache" ClearAtEnd, "Data"
// LastFileName, LastOpenFolder, LastExportFolder, in that order, then the
// recent paths, "Coords" DatumShift (an unknown name gives helmert) and
// "Data" ReadingJobs (outside 0 to kMaxReadingJobs gives 0) and "View"
// Readable.
TIniSettings ReadIniSettings(const QString& iniPath);

// Writes the same keys in the same order (ClearAtEnd as 1 or 0) through a
// temporary file renamed over the old one; other keys of the file stay.
// False when the file could not be written.
bool WriteIniSettings(const QString& iniPath, const TIniSettings& settings);

// Puts `path` first in `recent`, removing an older entry of it, and keeps at
// most kRecentFileCount paths.
void RememberRecent(QStringList& recent, const QString& path);
