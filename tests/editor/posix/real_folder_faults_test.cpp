// On a real folder, a save the system refuses (a disk that fills up part way through the file, a
// folder the user may not write to) is reported with the file's path, the file on disk stays as
// it was, and the change stays in the editor until a later commit can write it.
#include "editor/editor_texts.h"
#include "platform/utf.h"
#include "tests/editor/editor_fixture.h"
#include "tests/platform/posix/file_size_limit.h"
#include "tests/platform/temp_folder.h"

#include <cstdio>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace kvtx::editor {
namespace {

class RealFolderFaultsTest : public EditorTest {
protected:
    // The fixture's store, copied byte for byte into a real folder.
    void SetUp() override {
        SeedDefault();
        for (const auto& [path, bytes] : files.files) {
            std::ofstream out(folder.Path() / path.substr(kDir.size()), std::ios::binary);
            out.write(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<std::streamsize>(bytes.size()));
        }
        Open(0, 0, platform::NativeFileSystem(), Directory());
    }

    std::u16string Directory() const { return folder.Path().u16string() + u"/"; }

    std::vector<std::byte> OnDisk(const std::u16string& fileName) const {
        return testing::FileBytes(folder.Path() / fileName);
    }

    std::u16string Failure(const std::u16string& fileName) const {
        return std::u16string(texts::kSaveFailed) + u"\n" + Directory() + fileName;
    }

    std::u16string SavedText(int categoryPosition, int item) const {
        PhraseStore store(platform::NativeFileSystem(), Directory());
        store.LoadIndex();
        store.LoadCategory(categoryPosition);
        return ContentTextOf(store, item);
    }

    testing::TempFolder folder;
};

TEST_F(RealFolderFaultsTest, ADiskThatFillsAtAnyPointOfTheFileIsReportedAndTheChangeWaits) {
    const auto before = OnDisk(u"kvtx_00000.dat");
    const std::size_t filesBefore = folder.EntryCount();
    std::u16string typed;
    for (const rlim_t room : {0UL, 1UL, 70UL, before.size() / 2, before.size()}) {
        messages.shown.clear();
        typed = u"ディスクが満杯になったときの文 " + platform::Utf8ToUtf16(std::to_string(room));
        {
            const testing::FileSizeLimit full(room);
            items.UserSelects(0);
            text.UserReplaces(typed);
            items.UserSelects(1);
        }
        ASSERT_FALSE(messages.shown.empty()) << "room " << room;
        for (const auto& shown : messages.shown) {
            EXPECT_EQ(shown, Failure(u"kvtx_00000.dat")) << "room " << room;
        }
        EXPECT_TRUE(editor->PendingChange()) << "room " << room;
        EXPECT_EQ(OnDisk(u"kvtx_00000.dat"), before) << "room " << room;
        EXPECT_EQ(folder.EntryCount(), filesBefore) << "a temporary file stayed at room " << room;
    }

    messages.shown.clear();
    items.UserSelects(0);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(editor->PendingChange());
    EXPECT_EQ(text.Text(), typed);
    EXPECT_EQ(SavedText(0, 0), typed);
    EXPECT_EQ(SavedText(0, 1), u"こんばんは");
}

using RealFolderFaultsDeathTest = RealFolderFaultsTest;

// Root writes anywhere, so the child that meets the read-only folder gives up root first.
TEST_F(RealFolderFaultsDeathTest, AFolderTheUserMayNotWriteIsReportedAndTheChangeWaits) {
    const auto before = OnDisk(u"kvtx_00000.dat");
    std::filesystem::permissions(folder.Path(),
                                 std::filesystem::perms::owner_write |
                                     std::filesystem::perms::group_write |
                                     std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove);
    const std::u16string typed = u"書き込めないフォルダーでの変更";
    EXPECT_EXIT(
        {
            constexpr uid_t kNobody = 65534;
            if (::geteuid() == 0 && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) {
                std::fputs("could not give up root\n", stderr);
                std::_Exit(2);
            }
            text.UserReplaces(typed);
            items.UserSelects(1);
            int faults = 0;
            const auto fault = [&faults](const char* what) {
                std::fputs(what, stderr);
                ++faults;
            };
            if (messages.shown != std::vector<std::u16string>{Failure(u"kvtx_00000.dat")}) {
                fault("the failed save was not reported with its path\n");
            }
            if (!editor->PendingChange()) {
                fault("the change is no longer pending\n");
            }
            if (OnDisk(u"kvtx_00000.dat") != before) {
                fault("the file on disk changed\n");
            }
            items.UserSelects(0);
            if (text.Text() != typed) {
                fault("the typed text is gone from the editor\n");
            }
            std::_Exit(faults);
        },
        ::testing::ExitedWithCode(0), "");
    std::filesystem::permissions(folder.Path(), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
    EXPECT_EQ(OnDisk(u"kvtx_00000.dat"), before);
}

} // namespace
} // namespace kvtx::editor
