#pragma once
// The header a DXF drawing is written with: GDAL's own template, declaring the
// texts' encoding. CP932: a drawing of AutoCAD 2004 (AC1018) on code page
// ANSI_932, whose layer names are Shift_JIS. UTF-8: a drawing of AutoCAD
// 2007 (AC1021), whose files are UTF-8 whatever the code page says. Texts
// themselves GDAL writes as \U+XXXX escapes, which read alike in both.
#include <string>

#include "export/export_options.h"

class TDxfHeader {
public:
    // Writes the template into GDAL's memory file system. Throws EExportError
    // when GDAL's template cannot be found or read.
    explicit TDxfHeader(TExportEncoding encoding);
    ~TDxfHeader();
    TDxfHeader(const TDxfHeader&) = delete;
    TDxfHeader& operator=(const TDxfHeader&) = delete;

    // The template's name, for the DXF driver's HEADER option.
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};
