#pragma once
// The viewer's Japanese wording of an export's failure. The export module's
// own messages are English, for the command line; the window words the kind
// of failure itself and adds the file and the system's or GDAL's reason.
#include <QString>

#include "export/export_error.h"

QString ExportErrorText(const EExportError& error);
