#include "settings/application_keys_dialog.h"
#include "tests/fakes/fake_controls.h"
#include "tests/fakes/fake_message_box.h"
#include "tests/fakes/fake_profile.h"

#include <gtest/gtest.h>

namespace kvtx {
namespace {

using namespace testing;

class ApplicationKeysDialogTest : public ::testing::Test {
protected:
    std::vector<std::u16string> Lines() const {
        std::vector<std::u16string> lines;
        for (int i = 0; i < entries.Count(); ++i) {
            lines.push_back(entries.ItemText(i));
        }
        return lines;
    }
    bool Holds(const std::u16string& line) const {
        const auto lines = Lines();
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }

    FakeList entries = FakeList::ListBox();
    FakeText name;
    FakeText value;
    FakeProfile profile;
    FakeMessageBox messages;
    settings::ApplicationKeysDialog dialog{{entries, name, value}, profile, messages};
};

// Opened over an application with a built-in entry, the dialog chooses it; the user's entry
// then replaces the built-in one in the list, and removing it brings that back.
TEST_F(ApplicationKeysDialogTest, TheApplicationInFrontIsChosenAndItsEntrySetAndRemoved) {
    dialog.OnInitDialog(u"PuTTY.exe");
    EXPECT_EQ(entries.ItemText(entries.Selection()), u"【既定】 putty.exe = none shift+insert");
    EXPECT_EQ(name.Text(), u"putty.exe");
    EXPECT_EQ(value.Text(), u"none shift+insert");

    value.UserReplaces(u" none type 5 ");
    dialog.OnSet();
    EXPECT_EQ(profile.ReadStrings(u"apps"), (std::vector<std::pair<std::u16string, std::u16string>>{
                                                {u"putty.exe", u"none type 5"}}));
    EXPECT_EQ(Lines().front(), u"putty.exe = none type 5");
    EXPECT_FALSE(Holds(u"【既定】 putty.exe = none shift+insert"));

    dialog.OnDelete();
    EXPECT_TRUE(profile.ReadStrings(u"apps").empty());
    EXPECT_TRUE(Holds(u"【既定】 putty.exe = none shift+insert"));
    EXPECT_EQ(value.Text(), u"none shift+insert");
}

// An application without an entry gets its name in the box, ready for keys; a malformed value
// or a missing name is refused with a message and writes nothing; a malformed value written by
// hand is shown as invalid.
TEST_F(ApplicationKeysDialogTest, MalformedEntriesAreRefusedOrShownInvalid) {
    profile.WriteString(u"apps", u"term.exe", u"none paste");
    dialog.OnInitDialog(u"editor.exe");
    EXPECT_EQ(entries.Selection(), -1);
    EXPECT_EQ(name.Text(), u"editor.exe");
    EXPECT_EQ(value.Text(), u"");
    EXPECT_TRUE(Holds(u"term.exe = none paste 【無効】"));

    for (const auto& bad : {u"ctrl+x ctrl+v", u"none type 2000", u""}) {
        value.UserReplaces(bad);
        dialog.OnSet();
    }
    name.UserReplaces(u"class:");
    value.UserReplaces(u"none type");
    dialog.OnSet();
    EXPECT_EQ(messages.shown.size(), 4u);
    EXPECT_EQ(profile.ReadStrings(u"apps").size(), 1u);

    name.UserReplaces(u"class:KorvatexTerminal");
    dialog.OnSet();
    EXPECT_TRUE(Holds(u"class:KorvatexTerminal = none type"));
    EXPECT_EQ(messages.shown.size(), 4u);
}

} // namespace
} // namespace kvtx
