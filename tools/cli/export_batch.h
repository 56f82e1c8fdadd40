#pragma once
// orvelle-cli export with several PATHs or --append: a batch of sources into
// one destination (export/batch_export.h), with its progress line, a line
// for each source skipped or failed, and the totals.
#include <string>
#include <vector>

#include "export/export_error.h"
#include "export/export_options.h"

namespace cli {

// The export's message with the file or connection it names cut to the
// length the command line echoes input at.
std::string shownMessage(const EExportError& e);

// The command's exit status.
int runBatchExport(const std::vector<std::string>& paths, const TExportOptions& options, bool append, bool quiet);

}  // namespace cli
