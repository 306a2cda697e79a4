#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kvtx {

// How an application copies its selection and takes a paste.
enum class CopyKeys {
    CtrlC,
    CtrlInsert,
    // No keystroke: the application copies on select, or the user copies first; the clipboard's
    // text is taken as the selection.
    None,
};
enum class PasteKeys {
    CtrlV,
    ShiftInsert,
    CtrlShiftV,
    // The result typed as keystrokes, the clipboard left alone.
    Type,
};

inline constexpr int kMaxTypePauseMs = 1000;

struct ApplicationKeys {
    CopyKeys copy = CopyKeys::CtrlC;
    PasteKeys paste = PasteKeys::CtrlV;
    // Between typed characters.
    int typePauseMs = 0;

    friend bool operator==(const ApplicationKeys&, const ApplicationKeys&) = default;
};

// One entry of the table: its name is an executable's file name ("putty.exe"), compared without
// case, or "class:" and the class of the target's top-level window; its value "COPY PASTE" or
// "COPY type MS", words separated by spaces.
struct ApplicationEntry {
    std::u16string name;
    std::u16string value;
};

// Entry names, and the words of a value, compare without case.
bool SameWithoutCase(std::u16string_view a, std::u16string_view b);

// The keys a value gives; nullopt for a malformed one (an unknown word, a pause outside 0 to
// 1000, a pause after a paste that types nothing, an empty value).
std::optional<ApplicationKeys> ParseApplicationKeys(std::u16string_view value);

// The entries built in, for the applications that document keys of their own: consoles,
// terminals, PuTTY and KiTTY, mintty, remote desktop clients. A user's entry of the same name
// overrides each.
const std::vector<ApplicationEntry>& BuiltInApplicationKeys();

// The keys for a target: among the user's well-formed entries, then the built-in ones, the entry
// for its window's class, else the one for its executable; Ctrl+C and Ctrl+V when none names it.
ApplicationKeys KeysFor(std::u16string_view executable, std::u16string_view windowClass,
                        const std::vector<ApplicationEntry>& userEntries);

} // namespace kvtx
