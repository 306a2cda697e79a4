// Arbitrary bytes as the quick tool's history file: loading must never crash and must give
// entries that fit the dialog's fields, and saving what was loaded must give the file's shape
// back: twenty lines, each ended by CR LF, with no other line feed to shift them.
#include "engine/regex_history.h"
#include "tests/fakes/fake_file_system.h"

#include <cstdlib>
#include <cstring>

using namespace kvtx;

namespace {

constexpr char16_t kPath[] = u"/store/korvatex.his";
constexpr std::size_t kFileLines = 2 * (1 + kHistoryListEntries);

bool FitsTheFields(const RegexHistory& history) {
    for (const auto* list : {&history.patterns, &history.replacements}) {
        for (const auto& entry : *list) {
            if (entry.empty() || entry.size() > kHistoryFieldChars) {
                return false;
            }
        }
    }
    return history.patterns.size() <= 1 + kHistoryListEntries &&
           history.pattern.size() <= kHistoryFieldChars &&
           history.replacement.size() <= kHistoryFieldChars;
}

bool HasTheFileShape(const std::vector<std::byte>& bytes) {
    std::u16string text(bytes.size() / 2, u'\0');
    std::memcpy(text.data(), bytes.data(), text.size() * sizeof(char16_t));
    std::size_t lines = 0;
    for (std::size_t at = text.find(u'\n'); at != std::u16string::npos;
         at = text.find(u'\n', at + 1)) {
        if (at == 0 || text[at - 1] != u'\r') {
            return false;
        }
        ++lines;
    }
    return lines == kFileLines && text.ends_with(u"\r\n");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    testing::FakeFileSystem files;
    const auto* bytes = reinterpret_cast<const std::byte*>(data);
    files.Put(kPath, std::vector<std::byte>(bytes, bytes + size));

    const RegexHistory loaded = LoadHistory(files, kPath);
    if (!FitsTheFields(loaded) || !SaveHistory(files, kPath, loaded) ||
        !HasTheFileShape(files.files.at(kPath)) || !FitsTheFields(LoadHistory(files, kPath))) {
        std::abort();
    }
    return 0;
}
