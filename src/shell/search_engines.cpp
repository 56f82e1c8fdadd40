#include "shell/search_engines.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace {

bool isBlank(char c) { return static_cast<unsigned char>(c) <= 0x20; }

// A quoted field from the opening quote at `p`; leaves `p` behind the closing quote.
std::string quotedField(std::string_view line, std::size_t& p) {
    std::string field;
    ++p;
    while (p < line.size()) {
        if (line[p] == '"') {
            if (p + 1 < line.size() && line[p + 1] == '"') {
                field += '"';
                p += 2;
                continue;
            }
            ++p;
            return field;
        }
        field += line[p++];
    }
    return field;  // no closing quote: the rest of the line
}

}  // namespace

std::vector<std::string> SplitEngineLine(std::string_view line) {
    std::vector<std::string> fields;
    std::size_t p = 0;
    auto skipBlanks = [&] {
        while (p < line.size() && isBlank(line[p])) ++p;
    };
    skipBlanks();
    while (p < line.size()) {
        if (line[p] == '"') {
            fields.push_back(quotedField(line, p));
        } else {
            const std::size_t start = p;
            while (p < line.size() && !isBlank(line[p]) && line[p] != ',') ++p;
            fields.emplace_back(line.substr(start, p - start));
        }
        skipBlanks();
        if (p < line.size() && line[p] == ',') {
            if (p + 1 == line.size()) fields.emplace_back();
            ++p;
            skipBlanks();
        }
    }
    return fields;
}

TSearchEngine::TSearchEngine(std::string_view line) {
    std::vector<std::string> f = SplitEngineLine(line);
    if (f.size() != 4) return;
    if (f[3] == "UTF8")
        Encoding = eeUtf8;
    else if (f[3] == "SJIS")
        Encoding = eeSjis;
    else if (f[3] == "EUC")
        Encoding = eeEuc;
    else
        return;
    Name = std::move(f[0]);
    BaseUrl = std::move(f[1]);
    QueryPrefix = std::move(f[2]);
}

int TEngineList::LoadFromFile(const std::string& path) {
    engines_.clear();
    // stdio: a folder or a read error ends in a short read, not an exception.
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return 0;
    std::string text;
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, n);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) return 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) end = text.size();
        TSearchEngine engine(std::string_view(text).substr(start, end - start));
        if (engine.Encoding != eeInvalid) engines_.push_back(std::move(engine));
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return Count();
}

const TSearchEngine* TEngineList::Items(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return &engines_[static_cast<std::size_t>(index)];
}

bool InstallEngineList(const std::string& path, std::string_view content) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path target(path);
    if (fs::exists(fs::symlink_status(target, ec))) return false;
    if (target.has_parent_path()) fs::create_directories(target.parent_path(), ec);
    const fs::path temporary = target.string() + ".new";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
        if (!out.flush()) {
            fs::remove(temporary, ec);
            return false;
        }
    }
    fs::rename(temporary, target, ec);
    if (!ec) return true;
    fs::remove(temporary, ec);
    return false;
}
