#include "archive/lhasa_extractor.h"

#include <fcntl.h>
#include <lhasa.h>
#include <sys/stat.h>

#include <cstring>
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
    void member(LHAReader* reader, const LHAFileHeader& header);
    void makeFolder(const std::vector<std::string>& names, const std::string& shown);
    void extractFile(LHAReader* reader, const LHAFileHeader& header, const std::vector<std::string>& names,
                     const std::string& shown);
    bool decode(LHAReader* reader, const LHAFileHeader& header, int folder, const std::string& leaf,
                const std::string& shown);
    void folderProblem(FolderStatus status, int error, const std::string& shown);
    bool openBase();
    void problem(int code, const std::string& line) {
        if (result_ == kUnlhaOk) result_ = code;
        log_ += line + "\n";
    }

    const ExtractionJob& job_;
    std::string& log_;
    int result_ = kUnlhaOk;
    std::optional<SafeFolder> base_;
    bool baseFailed_ = false;
    std::vector<std::vector<std::string>> linkPaths_;  // symbolic-link members met so far
};

int Extraction::run() {
    std::string error;
    std::optional<ArchiveStream> stream = ArchiveStream::open(job_.archivePath, error);
    if (!stream) {
        problem(kUnlhaCannotOpenArchive, "Cannot open the archive " + job_.archiveText + ": " + error);
        return result_;
    }
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
        if (baseFailed_) return result_;
    }
    if (!any) {
        problem(kUnlhaNotAnArchive, "No LZH header found in " + job_.archiveText);
    } else if (end > stream->size()) {
        problem(kUnlhaBrokenArchive, "The archive is cut short: its last member ends at offset " +
                                         std::to_string(end) + ", the file has " + std::to_string(stream->size()) +
                                         " bytes");
    } else if (end < stream->size() && stream->byteAt(end) != 0) {
        // A clean archive ends after the last member or with a zero byte.
        problem(kUnlhaBrokenArchive, "Broken or cut header at offset " + std::to_string(end));
    }
    return result_;
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
    UniqueFd folder = base_->openFolder(names, names.size(), status, error);
    if (!folder.valid()) folderProblem(status, error, shown);
}

void Extraction::extractFile(LHAReader* reader, const LHAFileHeader& header, const std::vector<std::string>& names,
                             const std::string& shown) {
    FolderStatus status;
    int error;
    UniqueFd folder = base_->openFolder(names, names.size() - 1, status, error);
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
    if (decode(reader, header, folder.get(), leaf, shown)) log_ += "Extracted " + shown + "\n";
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
        crc = Crc16(crc, buffer.data(), n);
        total += n;
        if (!file->write(buffer.data(), n, error)) {
            problem(kUnlhaCannotWrite, "Failed " + shown + ": cannot write (" + std::strerror(error) + ")");
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
        return false;
    }
    return true;
}

}  // namespace

int ExtractWithLhasa(const ExtractionJob& job, std::string& log) { return Extraction(job, log).run(); }

}  // namespace archive
