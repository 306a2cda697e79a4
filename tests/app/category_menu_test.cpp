#include "app/category_menu.h"
#include "store/labels.h"
#include "tests/fakes/test_store.h"

#include <gtest/gtest.h>

namespace kvtx {
namespace {

using testing::FakeFileSystem;
using testing::TestCategory;
using testing::TestItem;
using testing::WriteTestStore;

const std::u16string kDir = u"C:\\kvtx\\";

MenuEntry Command(std::u16string caption, unsigned id) {
    return {std::move(caption), id, {}};
}
MenuEntry Popup(std::u16string caption, std::vector<MenuEntry> children) {
    return {std::move(caption), 0, std::move(children)};
}
unsigned Id(int category, int item) {
    return kPhraseCommandBase + static_cast<unsigned>(26 * category + item);
}

TestCategory Named(std::u16string name, std::vector<std::u16string> items) {
    TestCategory category{std::move(name), {}};
    for (auto& item : items) {
        category.items.push_back(TestItem{std::move(item), 0, u""});
    }
    return category;
}

class CategoryMenuTest : public ::testing::Test {
protected:
    std::vector<MenuEntry> Build(const std::vector<TestCategory>& categories) {
        WriteTestStore(files, kDir, categories);
        store.LoadIndex();
        return BuildCategoryMenu(store);
    }

    FakeFileSystem files;
    PhraseStore store{files, kDir};
};

TEST_F(CategoryMenuTest, NoCategoriesGiveNoPopups) {
    EXPECT_TRUE(Build({}).empty());
}

TEST_F(CategoryMenuTest, CategoriesAreLetteredByPosition) {
    const auto menu = Build({Named(u"挨拶", {u"朝"}), Named(u"mail", {}), Named(u"&x", {u"q"})});
    EXPECT_EQ(menu, (std::vector<MenuEntry>{
                        Popup(u"(&A) 挨拶", {Command(u"(&a) 朝", Id(0, 0))}),
                        Popup(u"(&B) mail", {}),
                        Popup(u"(&C) &x", {Command(u"(&a) q", Id(2, 0))}),
                    }));
}

TEST_F(CategoryMenuTest, SlashNamesFormGroupsThatShareTheCategoryLetters) {
    const auto menu = Build({Named(u"c", {u"x", u"mail/hello", u"y", u"mail/bye/now"})});
    EXPECT_EQ(menu[0].children, (std::vector<MenuEntry>{
                                    Command(u"(&a) x", Id(0, 0)),
                                    Popup(u"(&b) mail", {Command(u"(&a) hello", Id(0, 1)),
                                                         Command(u"(&b) bye/now", Id(0, 3))}),
                                    Command(u"(&c) y", Id(0, 2)),
                                }));
}

TEST_F(CategoryMenuTest, GroupNamesAreComparedExactly) {
    const auto menu = Build({Named(u"c", {u"g/1", u"G/2", u"g/3", u"/4"})});
    EXPECT_EQ(menu[0].children,
              (std::vector<MenuEntry>{
                  Popup(u"(&a) g", {Command(u"(&a) 1", Id(0, 0)), Command(u"(&b) 3", Id(0, 2))}),
                  Popup(u"(&b) G", {Command(u"(&a) 2", Id(0, 1))}),
                  Popup(u"(&c) ", {Command(u"(&a) 4", Id(0, 3))}),
              }));
}

TEST_F(CategoryMenuTest, IdsFollowPositionsUpToTheLastItemOfTheLastCategory) {
    std::vector<TestCategory> categories;
    for (int c = 0; c < 26; ++c) {
        std::vector<std::u16string> items;
        for (int i = 0; i < 26; ++i) {
            items.push_back(i % 2 == 0 ? u"g/" + std::u16string(1, ItemLetter(i))
                                       : std::u16string(1, ItemLetter(i)));
        }
        categories.push_back(Named(u"n", items));
    }
    const auto menu = Build(categories);
    ASSERT_EQ(menu.size(), 26u);
    EXPECT_EQ(menu[25].caption, u"(&Z) n");
    EXPECT_EQ(menu[25].children.back().caption, u"(&n) z");
    EXPECT_EQ(menu[25].children.back().id, 33526u);
    EXPECT_EQ(menu[1].children[0].children[2].id, 32851u + 26 + 4);
}

TEST_F(CategoryMenuTest, MissingOrUnreadableCategoryFileGivesAnEmptyPopup) {
    WriteTestStore(files, kDir, {Named(u"a", {u"x"}), Named(u"b", {u"y"}), Named(u"c", {u"z"})});
    store.LoadIndex();
    files.files.erase(kDir + u"kvtx_00000.dat");
    files.unreadable.insert(kDir + u"kvtx_00001.dat");
    const auto menu = BuildCategoryMenu(store);
    EXPECT_TRUE(menu[0].children.empty());
    EXPECT_TRUE(menu[1].children.empty());
    EXPECT_EQ(menu[2].children, std::vector<MenuEntry>{Command(u"(&a) z", Id(2, 0))});
}

TEST_F(CategoryMenuTest, ItemNamesAreReadFromTheFilesEachTime) {
    Build({Named(u"a", {u"old"})});
    PhraseStore editor(files, kDir);
    editor.LoadIndex();
    editor.LoadCategory(0);
    SetFieldText(editor.Loaded().header.items[0].name, u"new");
    ASSERT_TRUE(editor.SaveCategory(0));
    EXPECT_EQ(BuildCategoryMenu(store)[0].children[0].caption, u"(&a) new");
}

} // namespace
} // namespace kvtx
