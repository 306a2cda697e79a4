#include "cli/entry_names.h"

#include "platform/utf.h"
#include "store/labels.h"

namespace kvtx::cli {
namespace {

// Control characters are spelled out: a NUL would end the message, a line break split it.
std::string Printable(std::u16string_view name) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::u16string shown;
    for (const char16_t c : name) {
        if (c < 0x20) {
            shown += u"\\u00";
            shown += static_cast<char16_t>(kDigits[c >> 4]);
            shown += static_cast<char16_t>(kDigits[c & 0xF]);
        } else {
            shown += c;
        }
    }
    return platform::Utf16ToUtf8(shown);
}

std::string Entry(std::string_view what, char16_t letter, std::u16string_view name) {
    std::string entry(what);
    entry += ' ';
    entry += static_cast<char>(letter);
    if (!name.empty()) {
        entry += " \"" + Printable(name) + '"';
    }
    return entry;
}

} // namespace

std::string CategoryEntry(int position, std::u16string_view name) {
    return Entry("category", CategoryLetter(position), name);
}

std::string ItemEntry(int position, std::u16string_view name) {
    return Entry("item", ItemLetter(position), name);
}

std::string StepEntry(int position) {
    return "step " + std::to_string(position + 1);
}

} // namespace kvtx::cli
