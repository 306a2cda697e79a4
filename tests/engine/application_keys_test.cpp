#include "engine/application_keys.h"
#include "platform/utf.h"

#include <gtest/gtest.h>

namespace kvtx {
namespace {

TEST(ParseApplicationKeys, TheWordsOfAValueAndWhatIsRefused) {
    struct Case {
        std::u16string_view value;
        std::optional<ApplicationKeys> keys;
    };
    const Case cases[] = {
        {u"ctrl+c ctrl+v", ApplicationKeys{CopyKeys::CtrlC, PasteKeys::CtrlV, 0}},
        {u"  none   shift+insert ", ApplicationKeys{CopyKeys::None, PasteKeys::ShiftInsert, 0}},
        {u"CTRL+INSERT Ctrl+Shift+V",
         ApplicationKeys{CopyKeys::CtrlInsert, PasteKeys::CtrlShiftV, 0}},
        {u"none type", ApplicationKeys{CopyKeys::None, PasteKeys::Type, 0}},
        {u"ctrl+c type 1000", ApplicationKeys{CopyKeys::CtrlC, PasteKeys::Type, 1000}},
        {u"none type 0", ApplicationKeys{CopyKeys::None, PasteKeys::Type, 0}},
        {u"none type 1001", std::nullopt},
        {u"none type -5", std::nullopt},
        {u"none type 12ms", std::nullopt},
        {u"none ctrl+v 20", std::nullopt},
        {u"none type 20 more", std::nullopt},
        {u"ctrl+x ctrl+v", std::nullopt},
        {u"none", std::nullopt},
        {u"", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseApplicationKeys(c.value), c.keys) << platform::Utf16ToUtf8(c.value);
    }
}

// A class entry wins over a file-name entry, the user's entries over the built-in ones (a
// malformed one of the user's counts as none), and names compare without case.
TEST(KeysFor, ClassBeforeExecutableAndTheUsersBeforeTheBuiltInOnes) {
    const std::vector<ApplicationEntry> user = {
        {u"Notepad.EXE", u"none type 5"},        {u"class:KorvatexTerminal", u"none shift+insert"},
        {u"terminal.exe", u"ctrl+c ctrl+v"},     {u"putty.exe", u"ctrl+insert shift+insert"},
        {u"class:ConsoleWindowClass", u"bogus"},
    };
    struct Case {
        std::u16string_view executable;
        std::u16string_view windowClass;
        ApplicationKeys keys;
    };
    const Case cases[] = {
        {u"notepad.exe", u"Notepad", {CopyKeys::None, PasteKeys::Type, 5}},
        {u"terminal.exe", u"KorvatexTerminal", {CopyKeys::None, PasteKeys::ShiftInsert, 0}},
        {u"PUTTY.EXE", u"PuTTY", {CopyKeys::CtrlInsert, PasteKeys::ShiftInsert, 0}},
        {u"kitty.exe", u"KiTTY", {CopyKeys::None, PasteKeys::ShiftInsert, 0}},
        {u"conhost.exe", u"ConsoleWindowClass", {CopyKeys::None, PasteKeys::CtrlV, 0}},
        {u"conhost.exe", u"WineConsoleClass", {CopyKeys::None, PasteKeys::Type, 0}},
        {u"mstsc.exe", u"TscShellContainerClass", {CopyKeys::CtrlC, PasteKeys::Type, 0}},
        {u"editor.exe", u"EditorFrame", {}},
        {u"", u"", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(KeysFor(c.executable, c.windowClass, user), c.keys)
            << platform::Utf16ToUtf8(c.executable) << " " << platform::Utf16ToUtf8(c.windowClass);
    }
    // Every built-in entry is itself well-formed.
    for (const auto& entry : BuiltInApplicationKeys()) {
        EXPECT_TRUE(ParseApplicationKeys(entry.value)) << platform::Utf16ToUtf8(entry.name);
    }
}

} // namespace
} // namespace kvtx
