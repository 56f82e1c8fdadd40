#include "reading/records.h"

#include <cstdio>
#include <cstring>

#include "base/path_resolver.h"
#include "reading/messages.h"
#include "reading/read_errors.h"

void FileBytes::reserve(size_t n) {
    if (n <= capacity_ && data_) return;
    data_.reset(new char[n]);
    capacity_ = n;
}

bool FileBytes::load(const std::string& fsPath) {
    size_ = 0;
    FILE* f = std::fopen(fsPath.c_str(), "rb");
    if (!f) return false;
    bool ok = std::fseek(f, 0, SEEK_END) == 0;
    const long size = ok ? std::ftell(f) : -1;
    ok = size >= 0;
    if (ok && size > 0) {
        reserve(static_cast<size_t>(size));
        std::rewind(f);
        size_ = std::fread(data_.get(), 1, static_cast<size_t>(size), f);
    }
    std::fclose(f);
    cutAtNul();
    return ok;
}

void FileBytes::assign(std::string_view bytes) {
    reserve(bytes.size() + 1);
    if (!bytes.empty()) std::memcpy(data_.get(), bytes.data(), bytes.size());
    size_ = bytes.size();
    cutAtNul();
}

void FileBytes::cutAtNul() {
    if (size_ == 0) return;  // an empty file has no buffer at all
    if (const void* nul = std::memchr(data_.get(), 0, size_))
        size_ = static_cast<size_t>(static_cast<const char*>(nul) - data_.get());
}

bool LineCursor::next(std::string_view& line) {
    if (rest_.empty()) return false;
    const char* p = rest_.data();
    const size_t n = rest_.size();
    size_t i = 0;
    // Bytes above CR are never line ends: test those first.
    while (i < n && (static_cast<unsigned char>(p[i]) > '\r' || (p[i] != '\r' && p[i] != '\n'))) ++i;
    line = std::string_view(p, i);
    if (i < n && p[i] == '\r' && i + 1 < n && p[i + 1] == '\n')
        i += 2;
    else if (i < n)
        i += 1;
    rest_.remove_prefix(i);
    return true;
}

bool TextLines::load(const std::string& fsPath) {
    lines_.clear();
    if (!bytes_.load(fsPath)) return false;
    split();
    return true;
}

void TextLines::assign(std::string_view bytes) {
    bytes_.assign(bytes);
    split();
}

void TextLines::split() {
    lines_.clear();
    LineCursor cursor(bytes_.text());
    std::string_view line;
    while (cursor.next(line)) lines_.push_back(line);
}

int32_t ReadInt(std::string_view field, std::string_view context, int line) {
    if (auto v = TryReadInt(field)) return *v;
    throw TKDKReadException(Messages().badInteger, line, context);
}

double ReadFloat(std::string_view field, std::string_view context, int line) {
    if (auto v = TryReadFloat(field)) return *v;
    throw TKDKReadException(Messages().badFloat, line, context);
}

TFeatureCode SplitCode(std::string_view field, std::string_view file, int line) {
    std::optional<int32_t> n;
    if (field.size() > 1) n = TryReadInt(field.substr(1));
    if (!n) throw EKDKConvertError(file, line, field);
    return {*n / 100, *n % 100};
}

bool TKDKHeadRecord::Read(std::string_view line) {
    *this = TKDKHeadRecord{};
    FieldList f;
    f.split(line);
    const size_t n = f.size();
    if (n != 11 && n != 12 && n != 15 && n != 16) return false;
    if (f[0] != "FH") return false;
    HeaderText = f[1];
    Folder = paths::folderPart(f[2]);
    FileName = paths::fileNamePart(f[2]);
    const std::string context = Folder + FileName;
    Value3 = ReadInt(f[3], context, 1);
    Value4 = ReadInt(f[4], context, 1);
    if (f[5] != "1" && f[5] != "2") return false;
    Value6 = ReadInt(f[6], context, 1);
    size_t k = 7;
    if (n == 12 || n == 16) Value7 = ReadInt(f[k++], context, 1);
    OriginY = ReadFloat(f[k], context, 1);
    OriginX = ReadFloat(f[k + 1], context, 1);
    CornerY = ReadFloat(f[k + 2], context, 1);
    CornerX = ReadFloat(f[k + 3], context, 1);
    return true;
}
