#include "scratch_folder.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>

namespace fs = std::filesystem;

namespace {

bool processIsGone(std::string_view pidText) {
    int pid = 0;
    const auto [end, error] = std::from_chars(pidText.data(), pidText.data() + pidText.size(), pid);
    return error == std::errc() && end == pidText.data() + pidText.size() && pid > 0 && ::kill(pid, 0) != 0 &&
           errno == ESRCH;
}

}  // namespace

fs::path ScratchFolder(const std::string& name) {
    std::error_code ec;
    const fs::path base = fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path(ec);
    const std::string prefix = "orvelle-" + name + "-";
    for (const fs::directory_entry& e : fs::directory_iterator(base, ec)) {
        const std::string entry = e.path().filename().string();
        if (entry.starts_with(prefix) && processIsGone(std::string_view(entry).substr(prefix.size())))
            fs::remove_all(e.path(), ec);
    }
    const fs::path folder = base / (prefix + std::to_string(::getpid()));
    fs::remove_all(folder, ec);
    fs::create_directories(folder);
    return folder;
}
