#include "archive/lhasa_extractor.h"

#include <fcntl.h>
#include <lhasa.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>

#include "archive/archive_stream.h"
#include "archive/crc16.h"
#include "archive/name_pattern.h"
#include "archive/pending_file.h"
#include "archive/safe_folder.h"
#include "archive/safe_paths.h"
#include "archive/stored_name.h"
#include "archive/unlha_codes.h"
#include "base/sjis.h"

namespace archive {
namespace {

constexpr size_t kBufferSize = 64 * 1024;

struct ReaderFree {
    void operator()(LHAReader* reader) const { lha_reader_free(reader); }
};

// Unix LHA stores a symbolic link as a folder entry named "link|target".
std::string linkName(const std::string& path) {
    for (size_t i = 0; i < path.size(); ++i) {
        if (sjis::isLeadByte(static_cast<unsigned char>(path[i])))
            ++i;
        else if (path[i] == '|')
            return path.substr(0, i);
    }
    return path;
}

// Methods that store the data as it is: its length is the declared size.
bool isStoredMethod(const char* method) {
    return std::strcmp(method, "-lh0-") == 0 || std::strcmp(method, "-lz4-") == 0 || std::strcmp(method, "-pm0-") == 0;
}

bool isDiskFull(int error) { return error == ENOSPC || error == EDQUOT; }

// The sum of the original sizes the members' headers declare, up to the
// first header lhasa cannot read; saturates instead of wrapping.
uint64_t declaredBytes(ArchiveStream& stream) {
    std::unique_ptr<LHAReader, ReaderFree> reader(lha_reader_new(stream.lhasaStream()));
    if (!reader) return 0;  // the extraction itself then fails the same way
    uint64_t total = 0;
    while (const LHAFileHeader* header = lha_reader_next_file(reader.get())) {
        const uint64_t length = header->length;
        total = length > UINT64_MAX - total ? UINT64_MAX : total + length;
    }
    return total;
}

// Bytes this user may still write on the file system of the folder, or of
// its nearest existing parent (the folder is made later); empty when no
// file system answers.
std::optional<uint64_t> freeBytesAt(const std::string& utf8Folder) {
    std::filesystem::path p = utf8Folder.empty() ? "." : utf8Folder;
    for (int depth = 0; depth < 256; ++depth) {
        struct statvfs st;
        if (::statvfs(p.c_str(), &st) == 0) return static_cast<uint64_t>(st.f_bavail) * st.f_frsize;
        std::filesystem::path parent = p.parent_path();
        if (parent.empty()) parent = ".";
        if (parent == p) break;
        p = parent;
    }
    return std::nullopt;
}

std::vector<std::string> toUtf8Names(const std::vector<std::string>& names) {
    std::vector<std::string> out;
    out.reserve(names.size());
    for (const std::string& name : names) out.push_back(sjis::toUtf8(name));
    return out;
}

class Extraction {
public:
    Extraction(const ExtractionJob& job, std::string& log) : job_(job), log_(log) {}
    int run();

private:
    std::optional<ArchiveStream> openArchive();
    bool declaredSizesFit();
    // The checks after the last member: was there one, and does the file end where it should?
    void checkEnd(bool any, uint64_t end, const ArchiveStream& stream);
    void member(LHAReader* reader, const LHAFileHeader& header);
    void makeFolder(const std::vector<std::string>& names, const std::string& shown);
    void extractFile(LHAReader* reader, const LHAFileHeader& header, const std::vector<std::string>& names,
                     const std::string& shown);
    bool decode(LHAReader* reader, const LHAFileHeader& header, int folder, const std::string& leaf,
                const std::string& shown);
    void expandsPast(const std::string& shown, uint64_t declared);
    void folderProblem(FolderStatus status, int error, const std::string& shown);
    bool openBase();
    void rollBack();
    void problem(int code, const std::string& line) {
        if (result_ == kUnlhaOk) result_ = code;
        log_ += line + "\n";
    }

    const ExtractionJob& job_;
    std::string& log_;
    int result_ = kUnlhaOk;
    std::optional<SafeFolder> base_;
    bool baseFailed_ = false;
    bool stopped_ = false;  // a size limit was reached or the disk is full: nothing more is written
    std::vector<std::vector<std::string>> linkPaths_;     // symbolic-link members met so far
    std::vector<std::vector<std::string>> writtenFiles_;  // UTF-8 names below the base folder, in order
    std::vector<std::vector<std::string>> madeFolders_;   // likewise, the folders made
};

std::optional<ArchiveStream> Extraction::openArchive() {
    std::string error;
    std::optional<ArchiveStream> stream = ArchiveStream::open(job_.archivePath, error);
    if (!stream) problem(kUnlhaCannotOpenArchive, "Cannot open the archive " + job_.archiveText + ": " + error);
    return stream;
}

bool Extraction::declaredSizesFit() {
    std::optional<ArchiveStream> stream = openArchive();
    if (!stream) return false;
    const uint64_t declared = declaredBytes(*stream);
    const ExtractionLimits& limits = job_.limits;
    const std::string refused = "Refused the archive " + job_.archiveText + ": its members declare " +
                                std::to_string(declared) + " bytes, ";
    if (declared > limits.maxDeclaredBytes) {
        problem(kUnlhaTooLarge, refused + "more than the " + std::to_string(limits.maxDeclaredBytes) +
                                    " bytes allowed per archive");
        return false;
    }
    const std::optional<uint64_t> free = freeBytesAt(job_.baseFolder);
    if (free && declared > (*free > limits.freeSpaceMargin ? *free - limits.freeSpaceMargin : 0)) {
        problem(kUnlhaTooLarge, refused + "more than the " + std::to_string(*free) + " bytes free for " +
                                    sjis::fromUtf8(job_.baseFolder) + " less a margin of " +
                                    std::to_string(limits.freeSpaceMargin) + " bytes");
        return false;
    }
    return true;
}

int Extraction::run() {
    if (!declaredSizesFit()) return result_;
    std::optional<ArchiveStream> stream = openArchive();
    if (!stream) return result_;
    std::unique_ptr<LHAReader, ReaderFree> reader(lha_reader_new(stream->lhasaStream()));
    if (!reader) {
        problem(kUnlhaCannotOpenArchive, "Cannot read the archive " + job_.archiveText + ": out of memory");
        return result_;
    }
    bool any = false;
    uint64_t end = 0;  // where the last member's data ends
    while (LHAFileHeader* header = lha_reader_next_file(reader.get())) {
        any = true;
        end = stream->offset() + header->compressed_length;
        member(reader.get(), *header);
        if (baseFailed_ || stopped_) break;
    }
    if (!baseFailed_ && !stopped_) checkEnd(any, end, *stream);
    if (result_ != kUnlhaOk) rollBack();
    return result_;
}

void Extraction::checkEnd(bool any, uint64_t end, const ArchiveStream& stream) {
    if (!any) {
        problem(kUnlhaNotAnArchive, "No LZH header found in " + job_.archiveText);
    } else if (end > stream.size()) {
        problem(kUnlhaBrokenArchive, "The archive is cut short: its last member ends at offset " +
                                         std::to_string(end) + ", the file has " + std::to_string(stream.size()) +
                                         " bytes");
    } else if (end < stream.size() && stream.byteAt(end) != 0) {
        // A clean archive ends after the last member or with a zero byte.
        problem(kUnlhaBrokenArchive, "Broken or cut header at offset " + std::to_string(end));
    }
}

void Extraction::rollBack() {
    if (!base_) return;
    size_t removed = 0;
    for (auto names = writtenFiles_.rbegin(); names != writtenFiles_.rend(); ++names)
        removed += base_->remove(*names, false) ? 1 : 0;
    for (auto names = madeFolders_.rbegin(); names != madeFolders_.rend(); ++names) base_->remove(*names, true);
    if (base_->madeBase()) ::rmdir(job_.baseFolder.c_str());
    if (removed > 0)
        log_ += "Removed the " + std::to_string(removed) + (removed == 1 ? " file" : " files") +
                " extracted before the failure\n";
}

bool Extraction::openBase() {
    if (base_) return true;
    std::string error;
    base_ = SafeFolder::open(job_.baseFolder, error);
    if (!base_) {
        baseFailed_ = true;
        problem(kUnlhaCannotWrite, "Cannot make the base folder " + sjis::fromUtf8(job_.baseFolder) + ": " + error);
    }
    return base_.has_value();
}

void Extraction::member(LHAReader* reader, const LHAFileHeader& header) {
    StoredName name = ReadStoredName(header);
    const bool folderEntry = std::strcmp(header.compress_method, LHA_COMPRESS_TYPE_DIR) == 0;
    const bool link = header.symlink_target != nullptr || (folderEntry && !name.file.empty());
    const std::string path = link ? linkName(name.path()) : name.path();

    std::vector<std::string> names;
    PathRefusal refusal = SplitStoredPath(path, names);
    if (refusal != PathRefusal::kNone) {
        problem(kUnlhaRefusedEntry, "Refused " + path + ": " + RefusalText(refusal));
        return;
    }
    if (link) {
        linkPaths_.push_back(names);
        problem(kUnlhaRefusedEntry, "Refused " + path + ": symbolic links are not extracted");
        return;
    }
    for (const std::vector<std::string>& linkPath : linkPaths_) {
        if (IsWithin(names, linkPath)) {
            problem(kUnlhaRefusedEntry, "Refused " + path + ": passes through a symbolic link of the archive");
            return;
        }
    }
    if (!job_.withFolders) {
        if (folderEntry) return;
        names.erase(names.begin(), names.end() - 1);
    }
    if (!MatchesPatterns(job_.patterns, path) || !openBase()) return;
    if (folderEntry)
        makeFolder(toUtf8Names(names), path);
    else
        extractFile(reader, header, toUtf8Names(names), path);
}

void Extraction::folderProblem(FolderStatus status, int error, const std::string& shown) {
    switch (status) {
    case FolderStatus::kSymbolicLink:
        problem(kUnlhaRefusedEntry, "Refused " + shown + ": passes through a symbolic link in the base folder");
        break;
    case FolderStatus::kNotAFolder:
        problem(kUnlhaCannotWrite, "Failed " + shown + ": a file stands where a folder should be");
        break;
    default:
        problem(kUnlhaCannotWrite, "Failed " + shown + ": cannot make its folder (" + std::strerror(error) + ")");
    }
}

void Extraction::makeFolder(const std::vector<std::string>& names, const std::string& shown) {
    FolderStatus status;
    int error;
    UniqueFd folder = base_->openFolder(names, names.size(), status, error, &madeFolders_);
    if (!folder.valid()) folderProblem(status, error, shown);
}

void Extraction::extractFile(LHAReader* reader, const LHAFileHeader& header, const std::vector<std::string>& names,
                             const std::string& shown) {
    FolderStatus status;
    int error;
    UniqueFd folder = base_->openFolder(names, names.size() - 1, status, error, &madeFolders_);
    if (!folder.valid()) {
        folderProblem(status, error, shown);
        return;
    }
    const std::string& leaf = names.back();
    struct stat st;
    if (::fstatat(folder.get(), leaf.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0) {
        if (S_ISLNK(st.st_mode)) {
            problem(kUnlhaRefusedEntry, "Refused " + shown + ": a symbolic link of that name is in the base folder");
            return;
        }
        if (S_ISDIR(st.st_mode)) {
            problem(kUnlhaCannotWrite, "Failed " + shown + ": a folder of that name is in the way");
            return;
        }
    }
    char method[sizeof header.compress_method];
    std::memcpy(method, header.compress_method, sizeof method);
    if (!lha_decoder_for_name(method)) {
        problem(kUnlhaDataError, "Failed " + shown + ": unknown compression method " + method);
        return;
    }
    if (isStoredMethod(method) && header.compressed_length > header.length) {
        expandsPast(shown, header.length);
        return;
    }
    if (decode(reader, header, folder.get(), leaf, shown)) {
        writtenFiles_.push_back(names);
        log_ += "Extracted " + shown + "\n";
    }
}

void Extraction::expandsPast(const std::string& shown, uint64_t declared) {
    problem(kUnlhaDataError, "Failed " + shown + ": its data runs past its declared size of " +
                                 std::to_string(declared) + " bytes");
    stopped_ = true;
}

bool Extraction::decode(LHAReader* reader, const LHAFileHeader& header, int folder, const std::string& leaf,
                        const std::string& shown) {
    int error = 0;
    std::optional<PendingFile> file = PendingFile::create(folder, leaf, error);
    if (!file) {
        problem(kUnlhaCannotWrite, "Failed " + shown + ": cannot create the file (" + std::strerror(error) + ")");
        return false;
    }
    std::vector<unsigned char> buffer(kBufferSize);
    uint16_t crc = 0;
    uint64_t total = 0;
    while (size_t n = lha_reader_read(reader, buffer.data(), buffer.size())) {
        if (n > header.length - total) {
            expandsPast(shown, header.length);
            return false;
        }
        crc = Crc16(crc, buffer.data(), n);
        total += n;
        if (!file->write(buffer.data(), n, error)) {
            problem(kUnlhaCannotWrite, "Failed " + shown + ": cannot write (" + std::strerror(error) + ")");
            stopped_ = isDiskFull(error);
            return false;
        }
    }
    if (total != header.length) {
        problem(kUnlhaDataError, "Failed " + shown + ": the data is cut short or damaged (" + std::to_string(total) +
                                     " of " + std::to_string(header.length) + " bytes)");
        return false;
    }
    if (crc != header.crc) {
        problem(kUnlhaDataError, "Failed " + shown + ": CRC error");
        return false;
    }
    if (!file->commit(header.timestamp, error)) {
        problem(kUnlhaCannotWrite, "Failed " + shown + ": cannot write (" + std::strerror(error) + ")");
        stopped_ = isDiskFull(error);
        return false;
    }
    return true;
}

}  // namespace

int ExtractWithLhasa(const ExtractionJob& job, std::string& log) { return Extraction(job, log).run(); }

}  // namespace archive
