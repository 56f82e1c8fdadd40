#include "export/sqlite_cancel.h"

#include <sqlite3.h>

namespace {

// SQLite virtual machine steps between two calls: well under a millisecond.
constexpr int kStepsBetweenChecks = 20000;

int onProgress(void* stillWanted) { return (*static_cast<const std::function<bool()>*>(stillWanted))() ? 0 : 1; }

}  // namespace

void StopSqliteWhenCancelled(GDALDataset& ds, const std::function<bool()>& stillWanted) {
    auto* db = static_cast<sqlite3*>(ds.GetInternalHandle("SQLITE_HANDLE"));
    if (db)
        sqlite3_progress_handler(db, kStepsBetweenChecks, onProgress,
                                 const_cast<void*>(static_cast<const void*>(&stillWanted)));
}
