#include "engine/application_keys.h"

#include <algorithm>

namespace kvtx {
namespace {

char16_t Lower(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

std::vector<std::u16string_view> Words(std::u16string_view value) {
    std::vector<std::u16string_view> words;
    std::size_t at = 0;
    while (at < value.size()) {
        const std::size_t start = value.find_first_not_of(u" \t", at);
        if (start == std::u16string_view::npos) {
            break;
        }
        const std::size_t end = std::min(value.find_first_of(u" \t", start), value.size());
        words.push_back(value.substr(start, end - start));
        at = end;
    }
    return words;
}

template <typename Keys> struct Word {
    std::u16string_view text;
    Keys keys;
};

constexpr Word<CopyKeys> kCopyWords[] = {{u"ctrl+c", CopyKeys::CtrlC},
                                         {u"ctrl+insert", CopyKeys::CtrlInsert},
                                         {u"none", CopyKeys::None}};
constexpr Word<PasteKeys> kPasteWords[] = {{u"ctrl+v", PasteKeys::CtrlV},
                                           {u"shift+insert", PasteKeys::ShiftInsert},
                                           {u"ctrl+shift+v", PasteKeys::CtrlShiftV},
                                           {u"type", PasteKeys::Type}};

// The keys a word of a value names, of the words this part of a value takes.
template <typename Keys, std::size_t N>
std::optional<Keys> Named(std::u16string_view word, const Word<Keys> (&words)[N]) {
    for (const auto& each : words) {
        if (SameWithoutCase(word, each.text)) {
            return each.keys;
        }
    }
    return std::nullopt;
}

std::optional<int> Pause(std::u16string_view word) {
    if (word.empty() || word.size() > 4 ||
        !std::all_of(word.begin(), word.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; })) {
        return std::nullopt;
    }
    int pause = 0;
    for (const char16_t digit : word) {
        pause = pause * 10 + (digit - u'0');
    }
    return pause <= kMaxTypePauseMs ? std::optional(pause) : std::nullopt;
}

// The well-formed entry of this name among these, if any; a malformed one counts as none.
std::optional<ApplicationKeys> Find(const std::vector<ApplicationEntry>& entries,
                                    std::u16string_view name) {
    for (const auto& entry : entries) {
        if (SameWithoutCase(entry.name, name)) {
            if (auto keys = ParseApplicationKeys(entry.value)) {
                return keys;
            }
        }
    }
    return std::nullopt;
}

} // namespace

bool SameWithoutCase(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](auto x, auto y) { return Lower(x) == Lower(y); });
}

std::optional<ApplicationKeys> ParseApplicationKeys(std::u16string_view value) {
    const auto words = Words(value);
    if (words.size() < 2 || words.size() > 3) {
        return std::nullopt;
    }
    const auto copy = Named(words[0], kCopyWords);
    const auto paste = Named(words[1], kPasteWords);
    if (!copy || !paste) {
        return std::nullopt;
    }
    ApplicationKeys keys{*copy, *paste, 0};
    if (words.size() == 3) {
        const auto pause = *paste == PasteKeys::Type ? Pause(words[2]) : std::nullopt;
        if (!pause) {
            return std::nullopt;
        }
        keys.typePauseMs = *pause;
    }
    return keys;
}

// Consoles and terminals take Ctrl+C as an interrupt and copy by selecting; PuTTY, KiTTY and
// mintty paste with Shift+Insert; Wine's console takes no paste keystroke at all; remote desktop
// clients often run with the clipboard's redirection switched off by policy, so that only typed
// keys arrive.
const std::vector<ApplicationEntry>& BuiltInApplicationKeys() {
    static const std::vector<ApplicationEntry> entries = {
        {u"class:ConsoleWindowClass", u"none ctrl+v"},
        {u"class:CASCADIA_HOSTING_WINDOW_CLASS", u"none ctrl+v"},
        {u"class:WineConsoleClass", u"none type"},
        {u"putty.exe", u"none shift+insert"},
        {u"kitty.exe", u"none shift+insert"},
        {u"mintty.exe", u"none shift+insert"},
        {u"mstsc.exe", u"ctrl+c type"},
        {u"wfica32.exe", u"ctrl+c type"},
        {u"vmware-view.exe", u"ctrl+c type"},
    };
    return entries;
}

ApplicationKeys KeysFor(std::u16string_view executable, std::u16string_view windowClass,
                        const std::vector<ApplicationEntry>& userEntries) {
    // The user's entries first: the built-in ones apply only where no entry of the user's names
    // the application.
    const std::u16string byClass =
        windowClass.empty() ? std::u16string() : u"class:" + std::u16string(windowClass);
    for (const auto* entries : {&userEntries, &BuiltInApplicationKeys()}) {
        for (const std::u16string_view name : {std::u16string_view(byClass), executable}) {
            if (!name.empty()) {
                if (auto keys = Find(*entries, name)) {
                    return *keys;
                }
            }
        }
    }
    return {};
}

} // namespace kvtx
