#include "export/source_catalog.h"

#include <sys/stat.h>

#include <algorithm>
#include <ctime>
#include <filesystem>

#include "export/feature_texts.h"
#include "export/gdal_errors.h"
#include "export/layer_plan.h"

namespace fs = std::filesystem;

namespace {

enum SourceField { sName, sFiles, sCounts, sWritten };

std::string utcText(time_t seconds, long nanoseconds) {
    std::tm t{};
    gmtime_r(&seconds, &t);
    char text[96];
    if (nanoseconds >= 0)
        std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%09ldZ", t.tm_year + 1900, t.tm_mon + 1,
                      t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec, nanoseconds);
    else
        std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02dZ", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday,
                      t.tm_hour, t.tm_min, t.tm_sec);
    return text;
}

void appendFile(std::string& json, const fs::path& file) {
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0) return;
    if (json.size() > 1) json += ',';
    json += "{\"path\":";
    AppendJsonString(json, file.string());
    json += ",\"size\":" + std::to_string(st.st_size) + ",\"mtime\":\"" +
            utcText(st.st_mtim.tv_sec, st.st_mtim.tv_nsec) + "\"}";
}

// The text between two `quote`s, each quote inside doubled (CSV fields, SQL strings).
std::string quotedDoubling(const std::string& text, char quote) {
    std::string out(1, quote);
    for (char c : text) {
        if (c == quote) out += quote;
        out += c;
    }
    return out + quote;
}

std::string csvField(const std::string& text) { return quotedDoubling(text, '"'); }

}  // namespace

std::string SourceNameOfPath(const std::string& path) {
    fs::path p = fs::path(path).lexically_normal();
    if (!p.has_filename()) p = p.parent_path();  // "town/"
    std::error_code ec;
    if (fs::is_directory(p, ec)) {
        if (p.filename() == "." || p.filename() == ".." || p.empty()) p = fs::absolute(p, ec).lexically_normal();
        return p.filename().string();
    }
    return p.stem().string();
}

std::string SourceFingerprint(const std::string& path) {
    std::error_code ec;
    const fs::path given = fs::absolute(path, ec).lexically_normal();
    fs::path folder = given;
    std::vector<fs::path> files;
    if (!fs::is_directory(given, ec)) {
        files.push_back(given);
        // A description file's layer files lie in its own folder.
        if (given.extension() != ".lzh" && given.extension() != ".LZH") folder = given.parent_path();
    }
    if (folder != given || fs::is_directory(given, ec))
        for (auto it = fs::recursive_directory_iterator(folder, ec); !ec && it != fs::recursive_directory_iterator();
             it.increment(ec))
            if (it->is_regular_file(ec) && it->path() != given) files.push_back(it->path());
    std::sort(files.begin(), files.end());
    std::string json = "[";
    for (const fs::path& f : files) appendFile(json, f);
    return json + "]";
}

std::string LayerCountsJson(const std::vector<TExportLayerCount>& layers) {
    std::string json = "{";
    for (const TExportLayerCount& l : layers) {
        if (json.size() > 1) json += ',';
        AppendJsonString(json, l.Name);
        json += ':' + std::to_string(l.Count);
    }
    return json + "}";
}

std::string TimeWrittenNow() { return utcText(std::time(nullptr), -1); }

OGRLayer* FindSourcesTable(GDALDataset& ds) {
    OGRLayer* table = ds.GetLayerByName(kSourcesTable);
    CPLErrorReset();  // looking for a table that is not there is no failure
    return table;
}

OGRLayer& CreateSourcesTable(GDALDataset& ds, const std::vector<std::string>& creationOptions) {
    static constexpr FieldSpec fields[] = {
        {"name", OFTString}, {"files", OFTString, OFSTJSON}, {"counts", OFTString, OFSTJSON}, {"written", OFTString}};
    return CreateLayerWithFields(ds, kSourcesTable, "table", nullptr, wkbNone, fields, creationOptions);
}

std::map<std::string, std::string> StoredSources(OGRLayer& table) {
    std::map<std::string, std::string> stored;
    table.ResetReading();
    while (OGRFeature* f = table.GetNextFeature()) {
        stored[f->GetFieldAsString("name")] = f->GetFieldAsString("files");
        OGRFeature::DestroyFeature(f);
    }
    return stored;
}

void WriteSourceRow(GDALDataset& ds, OGRLayer& table, const TSourceRecord& record, bool replace) {
    if (replace)
        ds.ReleaseResultSet(ds.ExecuteSQL(
        ("DELETE FROM " + std::string(kSourcesTable) + " WHERE name = " + SqlText(record.Name)).c_str(), nullptr,
        nullptr));
    OGRFeature* f = OGRFeature::CreateFeature(table.GetLayerDefn());
    f->SetField(sName, record.Name.c_str());
    f->SetField(sFiles, record.Files.c_str());
    f->SetField(sCounts, record.Counts.c_str());
    f->SetField(sWritten, record.Written.c_str());
    const OGRErr result = table.CreateFeature(f);
    OGRFeature::DestroyFeature(f);
    if (result != OGRERR_NONE)
        throw GdalFailure("cannot record source " + record.Name + " in " + kSourcesTable, TExportFailure::CannotWrite,
                          kSourcesTable);
}

std::string SourcesSideFileName(const std::string& stem) { return stem + "_" + kSourcesTable + ".csv"; }

std::string SourcesCsv(const std::vector<TSourceRecord>& records) {
    std::string csv = "name,files,counts,written\r\n";
    for (const TSourceRecord& r : records)
        csv += csvField(r.Name) + "," + csvField(r.Files) + "," + csvField(r.Counts) + "," + csvField(r.Written) + "\r\n";
    return csv;
}

std::string SqlText(const std::string& text) { return quotedDoubling(text, '\''); }
