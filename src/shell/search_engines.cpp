#include "shell/search_engines.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <system_error>

#include "base/comma_fields.h"
#include "base/unique_fd.h"

namespace {

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != prefix[i]) return false;
    }
    return true;
}

// The whole of a regular file of at most `limit` bytes; false for anything else.
bool readSmallRegularFile(const std::string& path, std::size_t limit, std::string& text) {
    // O_NONBLOCK: a FIFO must not stall the caller before fstat can reject it.
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    struct stat st{};
    if (!fd.valid() || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    if (static_cast<std::size_t>(st.st_size) > limit) return false;
    text.clear();
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) return true;
        text.append(buffer, static_cast<std::size_t>(n));
        if (text.size() > limit) return false;  // it grew while being read
    }
}

}  // namespace

bool IsWebAddress(std::string_view address) {
    std::size_t p;
    if (startsWithNoCase(address, "https://"))
        p = 8;
    else if (startsWithNoCase(address, "http://"))
        p = 7;
    else
        return false;
    for (char c : address) {
        const auto u = static_cast<unsigned char>(c);
        if (u <= 0x20 || u >= 0x7F || c == '"' || c == '<' || c == '>' || c == '\\' || c == '`') return false;
    }
    // A host: at least one character before the path, query or fragment.
    return p < address.size() && address[p] != '/' && address[p] != '?' && address[p] != '#' && address[p] != ':';
}

TSearchEngine::TSearchEngine(std::string_view line) {
    if (line.size() > kMaxEngineLine) return;
    std::vector<std::string> f = SplitFields(line, NulByte::Blank);
    if (f.size() != 4 || !IsWebAddress(f[1])) return;
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
    std::string text;
    if (!readSmallRegularFile(path, kMaxEngineListBytes, text)) return 0;
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
