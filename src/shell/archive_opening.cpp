#include "shell/archive_opening.h"

#include "archive/unlha_component.h"
#include "base/path_resolver.h"
#include "base/sjis.h"
#include "shell/cache_folder.h"

bool IsArchivePath(const std::string& path) { return sjis::upperAscii(paths::extensionOf(path)) == ".LZH"; }

void SetUpExtraction(TUnlha& unlha, const std::string& archive, const std::string& folder) {
    unlha.ARCFileName = archive;
    unlha.ARCPattern.clear();
    unlha.BaseDirName = folder;
    unlha.Command = TCommand::cmdExtract;
    unlha.DisplayCSR = false;
    unlha.ExecMode = TExecMode::exBackGround;
    unlha.Options.OpReSearch = TOpReSearch::rsAllSearch;
    unlha.Options.OpDirEffect = true;
    unlha.Options.OpDlgYes = {TOpDlgYesItem::dyDirectory, TOpDlgYesItem::dyReplaceFile};
    unlha.Options.OpROot = false;
    unlha.DlgOptions.OpExtDlg = false;
}

ArchiveExtraction ExtractForOpening(TUnlha& unlha, const std::string& archive, const std::string& cacheFolder) {
    ArchiveExtraction extraction;
    extraction.folder = ExtractionFolder(cacheFolder, archive);
    SetUpExtraction(unlha, archive, extraction.folder);
    extraction.result = unlha.Execute();
    return extraction;
}
