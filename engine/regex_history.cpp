#include "engine/regex_history.h"

#include <cstring>

namespace kvtx {
namespace {

constexpr int kPatternLine = 0;
constexpr int kReplacementLine = 1 + kHistoryListEntries;
// Far beyond what the program writes; a larger hand-made file is read only this far.
constexpr std::size_t kMaxHistoryBytes = 1 << 20;
constexpr char16_t kByteOrderMark = u'\xFEFF';

std::u16string DecodeUnits(const std::vector<std::byte>& bytes) {
    std::u16string units(bytes.size() / 2, u'\0');
    if (units.empty()) {
        return units;
    }
    std::memcpy(units.data(), bytes.data(), units.size() * sizeof(char16_t));
    return units;
}

// Lines end at LF, with the CR before it dropped; a last line without an end still counts.
std::vector<std::u16string> SplitLines(std::u16string_view text) {
    std::vector<std::u16string> lines;
    while (!text.empty()) {
        const std::size_t end = text.find(u'\n');
        std::u16string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == u'\r') {
            line.remove_suffix(1);
        }
        lines.emplace_back(line);
        text.remove_prefix(end == std::u16string_view::npos ? text.size() : end + 1);
    }
    return lines;
}

// A line break inside an entry would shift every later line of the file, so an entry is written
// up to its first one.
std::u16string_view SingleLine(std::u16string_view entry) {
    return entry.substr(0, entry.find_first_of(u"\r\n"));
}

void AppendLine(std::u16string& file, std::u16string_view entry) {
    file += SingleLine(entry);
    file += u"\r\n";
}

void AppendList(std::u16string& file, const std::vector<std::u16string>& entries) {
    for (std::size_t i = 0; i < kHistoryListEntries; ++i) {
        AppendLine(file, i < entries.size() ? std::u16string_view(entries[i]) : u"");
    }
}

} // namespace

std::u16string HistoryPath(std::u16string_view executablePath) {
    const std::size_t nameStart = executablePath.find_last_of(u"\\/:") + 1;
    const std::size_t dot = executablePath.rfind(u'.');
    const bool hasExtension = dot != std::u16string_view::npos && dot >= nameStart;
    return std::u16string(executablePath.substr(0, hasExtension ? dot : executablePath.size())) +
           u".his";
}

RegexHistory LoadHistory(const platform::FileSystem& files, const std::u16string& path) {
    RegexHistory history;
    const auto bytes = files.ReadFile(path, kMaxHistoryBytes);
    if (!bytes) {
        return history;
    }
    std::u16string text = DecodeUnits(*bytes);
    if (!text.empty() && text.front() == kByteOrderMark) {
        text.erase(0, 1);
    }
    const std::vector<std::u16string> lines = SplitLines(text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::u16string& line = lines[i];
        // A cut pattern could still be valid and do something else than meant, so an over-long
        // line is dropped whole.
        if (line.empty() || line.size() > kHistoryFieldChars) {
            continue;
        }
        const bool patternPart = i < static_cast<std::size_t>(kReplacementLine);
        if (i == kPatternLine) {
            history.pattern = line;
        } else if (i == kReplacementLine) {
            history.replacement = line;
        }
        (patternPart ? history.patterns : history.replacements).push_back(line);
    }
    return history;
}

bool SaveHistory(platform::FileSystem& files, const std::u16string& path,
                 const RegexHistory& history) {
    std::u16string file;
    AppendLine(file, history.pattern);
    AppendList(file, history.patterns);
    AppendLine(file, history.replacement);
    AppendList(file, history.replacements);
    std::vector<std::byte> bytes(file.size() * sizeof(char16_t));
    std::memcpy(bytes.data(), file.data(), bytes.size());
    return files.WriteFile(path, bytes);
}

} // namespace kvtx
