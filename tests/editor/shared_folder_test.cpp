// The editor in a folder that another computer writes too: what it joins, what it refuses and
// how it says so, and a folder it may only read.

#include "editor/editor_texts.h"
#include "tests/editor/editor_fixture.h"

namespace kvtx::editor {
namespace {

class SharedFolderTest : public EditorTest {
protected:
    const std::vector<SeedItem> greetings = {{u"朝", u"おはよう"}, {u"夜", u"こんばんは"}};
    const SeedCategory letters{u"手紙", u"kvtx_00001.dat", {}};

    void SetUp() override { Seed(2, {{u"挨拶", u"kvtx_00000.dat", greetings}, letters}); }

    // Another computer's editor saved the category with these items.
    void TheyWrite(std::vector<SeedItem> written) {
        files.Put(Path(u"kvtx_00000.dat"), CategoryFile(written));
    }
};

TEST_F(SharedFolderTest, AnItemBothEditedShowsTheirsAndKeepsTheUsersTextUnsaved) {
    Open(0, 0);
    text.Type(u"（私）");
    TheyWrite({{u"朝", u"おはようございます"}, {u"夜", u"こんばんは"}});
    items.UserSelects(1);
    EXPECT_EQ(messages.shown,
              (std::vector<std::u16string>{std::u16string(texts::kCategoryChangedElsewhere) +
                                           u"\n" + texts::kTypedTextKept}));
    EXPECT_EQ(testing::ReadUnits(File(u"kvtx_00000.dat"), 1772, 9), u"おはようございます")
        << "their text stays on disk";
    EXPECT_EQ(items.Selection(), 0);
    EXPECT_EQ(text.Text(), u"おはよう（私）");
    EXPECT_TRUE(editor->PendingChange());

    // Seen and kept: the next commit writes the user's text over the version now shown.
    items.UserSelects(1);
    EXPECT_EQ(testing::ReadUnits(File(u"kvtx_00000.dat"), 1772, 7), u"おはよう（私）");
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(SharedFolderTest, ACategoryTheyRenamedOrRefilledIsNotDeleted) {
    Open(1, -1);
    Seed(2, {{u"挨拶", u"kvtx_00000.dat", greetings}, {u"便り", u"kvtx_00001.dat", {}}});
    messages.answers.push_back(true);
    editor->DeleteCategory();
    EXPECT_EQ(messages.shown.back(), texts::kIndexChangedElsewhere);
    EXPECT_EQ(category.items, (std::vector<std::u16string>{u"A:挨拶", u"B:便り"}));
    EXPECT_TRUE(files.files.contains(Path(u"kvtx_00001.dat")));

    // Items changed elsewhere since the category was read were not what the user agreed to lose.
    Open(0, -1);
    TheyWrite({{u"朝", u"おはよう"}});
    messages.answers.push_back(true);
    editor->DeleteCategory();
    EXPECT_EQ(messages.shown.back(), texts::kCategoryChangedElsewhere);
    EXPECT_EQ(Reread()->CategoryCount(), 2);
    EXPECT_EQ(items.items, std::vector<std::u16string>{u"a:朝"});
}

TEST_F(SharedFolderTest, AReadOnlyLibraryIsSaidOnceAndNothingCanBeEdited) {
    files.readOnlyFolder = true;
    files.Put(Path(u"kvtx_00000-PC2.dat"), {});
    Open(0, 0);
    EXPECT_EQ(messages.shown, (std::vector<std::u16string>{std::u16string(texts::kSyncCopies) +
                                                               u"\nkvtx_00000-PC2.dat",
                                                           texts::kReadOnlyFolder}));
    for (const ui::Control* control : Controls().EditingControls()) {
        EXPECT_FALSE(control->IsEnabled());
    }
    EXPECT_TRUE(category.IsEnabled() && items.IsEnabled());
    EXPECT_EQ(text.Text(), u"おはよう") << "items are still shown";
    text.Type(u"x");
    items.UserSelects(1);
    EXPECT_TRUE(editor->RequestClose());
    EXPECT_EQ(files.writes, 0);
    EXPECT_EQ(messages.shown.size(), 2u);
}

} // namespace
} // namespace kvtx::editor
