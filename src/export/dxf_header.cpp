#include "export/dxf_header.h"

#include <atomic>

#include <cpl_conv.h>
#include <cpl_vsi.h>

#include "export/export_error.h"

namespace {

// Replaces the value of the header variable `name` (the line after its group code).
bool setVariable(std::string& header, const std::string& name, const std::string& value) {
    const size_t at = header.find("\n" + name + "\n");
    if (at == std::string::npos) return false;
    const size_t codeEnd = header.find('\n', at + name.size() + 2);
    if (codeEnd == std::string::npos) return false;
    const size_t valueEnd = header.find('\n', codeEnd + 1);
    if (valueEnd == std::string::npos) return false;
    header.replace(codeEnd + 1, valueEnd - codeEnd - 1, value);
    return true;
}

std::string readAll(const char* path) {
    std::string text;
    VSILFILE* f = VSIFOpenL(path, "rb");
    if (!f) return text;
    char buffer[8192];
    size_t n;
    while ((n = VSIFReadL(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
    VSIFCloseL(f);
    return text;
}

}  // namespace

TDxfHeader::TDxfHeader(TExportEncoding encoding) {
    const char* gdalTemplate = CPLFindFile("gdal", "header.dxf");
    std::string header = gdalTemplate ? readAll(gdalTemplate) : std::string();
    const bool cp932 = encoding == TExportEncoding::CP932;
    if (header.empty() || !setVariable(header, "$ACADVER", cp932 ? "AC1018" : "AC1021") ||
        !setVariable(header, "$DWGCODEPAGE", cp932 ? "ANSI_932" : "ANSI_1252"))
        throw EExportError("cannot read GDAL's DXF header template header.dxf (gdal-data)");
    static std::atomic<int> serial{0};
    path_ = "/vsimem/orvelle-dxf-header-" + std::to_string(serial++) + ".dxf";
    VSILFILE* f = VSIFOpenL(path_.c_str(), "wb");
    const bool written = f && VSIFWriteL(header.data(), 1, header.size(), f) == header.size();
    if (f) VSIFCloseL(f);
    if (!written) throw EExportError("cannot write the DXF header template");
}

TDxfHeader::~TDxfHeader() { VSIUnlink(path_.c_str()); }
