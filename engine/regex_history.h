#pragma once

#include "platform/file_system.h"

#include <string>
#include <string_view>
#include <vector>

namespace kvtx {

// The quick tool's remembered patterns and replacements: the current texts and the entries of
// the two drop-down lists, newest first.
struct RegexHistory {
    std::u16string pattern;
    std::vector<std::u16string> patterns;
    std::u16string replacement;
    std::vector<std::u16string> replacements;

    bool operator==(const RegexHistory&) const = default;
};

// The file holds 20 lines of UTF-16LE text, each ended by CR LF: the current pattern, nine
// pattern entries, the current replacement, nine replacement entries. Empty lines stand for
// missing entries.
inline constexpr int kHistoryListEntries = 9;
// The longest text the dialog's fields accept; longer lines of a hand-edited file are skipped.
inline constexpr std::size_t kHistoryFieldChars = 500;

// The history file beside the executable: its path with the extension replaced by ".his".
std::u16string HistoryPath(std::u16string_view executablePath);

// Missing or unreadable: everything empty. Line 1 is the pattern and also its list's first entry,
// lines 2 to 10 more pattern entries, line 11 the replacement and its list's first entry, and
// every later line a further replacement entry. Empty lines are skipped, so the lists close up.
RegexHistory LoadHistory(const platform::FileSystem& files, const std::u16string& path);

// Writes the 20 lines anew: list entries beyond the ninth are left out. False when the file
// could not be written; the previous file is then untouched.
bool SaveHistory(platform::FileSystem& files, const std::u16string& path,
                 const RegexHistory& history);

} // namespace kvtx
