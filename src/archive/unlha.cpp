#include "archive/unlha.h"

#include "archive/command_line.h"
#include "archive/lhasa_extractor.h"
#include "archive/sjis_separators.h"
#include "base/sjis.h"

namespace archive {

uint16_t VersionNumberOf(std::string_view dottedVersion) {
    static constexpr unsigned kWeights[] = {100, 10, 1};
    unsigned long total = 0;
    size_t part = 0;
    unsigned long value = 0;
    for (size_t i = 0; i <= dottedVersion.size() && part < 3; ++i) {
        char c = i < dottedVersion.size() ? dottedVersion[i] : '.';
        if (c >= '0' && c <= '9') {
            value = value * 10 + static_cast<unsigned long>(c - '0');
            if (value > 65535) value = 65535;
        } else {
            total += value * kWeights[part++];
            value = 0;
            if (c != '.') break;
        }
    }
    return static_cast<uint16_t>(total > 65535 ? 65535 : total);
}

}  // namespace archive

uint16_t UnlhaGetVersion() {
    static const uint16_t version = archive::VersionNumberOf(ORVELLE_LHASA_VERSION);
    return version;
}

int Unlha(const std::string& commandLine, std::string& output) {
    archive::ArchiverCommand command;
    std::string error;
    if (!archive::ParseCommandLine(commandLine, command, error)) {
        output += error + "\n";
        return kUnlhaBadCommandLine;
    }
    if (command.letter != 'E' && command.letter != 'X') {
        output += std::string("The command ") + command.letter + " is not supported: only E and X extract.\n";
        return kUnlhaUnsupportedCommand;
    }
    archive::ExtractionJob job;
    job.archiveText = command.archive;
    job.archivePath = sjis::toUtf8(archive::ToSlashes(command.archive));
    job.baseFolder = command.baseFolder.empty() ? "." : sjis::toUtf8(archive::ToSlashes(command.baseFolder));
    job.withFolders = command.letter == 'X' || command.withFolders;
    job.patterns = command.patterns;
    return archive::ExtractWithLhasa(job, output);
}
