#pragma once
// The web search engines of "engine.lst": one engine per line of Shift-JIS
// text, four comma-separated fields (name, address of the search page before
// "?", the text between "?" and the search text, and the encoding keyword),
// split by SplitFields (base/comma_fields.h) with a NUL counted as a blank.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum TEngineEncoding : uint8_t { eeInvalid = 0, eeUtf8 = 1, eeSjis = 2, eeEuc = 3 };

// The longest engine line used; a longer one counts as broken.
inline constexpr std::size_t kMaxEngineLine = 4096;
// The largest engine list read; a larger file, or anything but a regular
// file (a FIFO, a device), gives an empty list.
inline constexpr std::size_t kMaxEngineListBytes = 1 << 20;

// An absolute "http://" or "https://" address with a host, of printable
// ASCII without blanks, quotes, angle brackets or backslashes: the only
// addresses a search is allowed to hand to the browser.
bool IsWebAddress(std::string_view address);

class TSearchEngine {
public:
    // A line of at most kMaxEngineLine bytes with exactly four fields, whose
    // second is a web address (IsWebAddress) and whose fourth is "UTF8",
    // "SJIS" or "EUC" (case matters), fills every field; any other line
    // leaves the strings empty and Encoding eeInvalid.
    explicit TSearchEngine(std::string_view line);

    std::string Name;         // shown in the engine drop-down
    std::string BaseUrl;      // the search page, up to but not including "?"
    std::string QueryPrefix;  // after "?", before the encoded search text
    TEngineEncoding Encoding = eeInvalid;
};

class TEngineList {
public:
    // Replaces the list by the usable lines of the file (line ends CR LF, LF
    // or CR), in file order; returns how many there are. A file that is
    // missing, cannot be read, is not a regular file or is larger than
    // kMaxEngineListBytes gives an empty list and 0; opening never blocks.
    int LoadFromFile(const std::string& path);
    int Count() const { return static_cast<int>(engines_.size()); }
    // The engine at `index`, or null when the index is below 0 or not below Count.
    const TSearchEngine* Items(int index) const;

private:
    std::vector<TSearchEngine> engines_;
};

// Writes `content` to `path` when no file exists there yet (the folder is
// created), through a temporary file renamed into place. False when a file
// was already there or writing failed.
bool InstallEngineList(const std::string& path, std::string_view content);
