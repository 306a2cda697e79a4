// A save killed at any moment never leaves a damaged store: after each kill the files on disk
// are whole and hold either the last save that finished or the one that was under way.
#include "platform/file_system.h"
#include "platform/utf.h"
#include "store/fields.h"
#include "store/file_names.h"
#include "store/item_content.h"
#include "store/phrase_store.h"
#include "tests/platform/temp_folder.h"

#include <csignal>
#include <gtest/gtest.h>
#include <random>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

namespace kvtx {
namespace {

// "v" and the number, appended: GCC 12 at -O3 takes "v" + std::to_string(...) (an insert at the
// front) for an overlapping copy (-Wrestrict) and stops a build with -Werror.
std::u16string VersionName(int version) {
    std::string name = "v";
    name += std::to_string(version);
    return platform::Utf8ToUtf16(name);
}

// Long texts, so that a file is about 100 KB and a kill often lands inside its write.
std::u16string TextOfVersion(int version, int item) {
    std::u16string text = VersionName(version) + u" ";
    text.resize(kMaxTextChars, static_cast<char16_t>(u'あ' + item));
    return text;
}

int VersionOf(const std::u16string& text) {
    const std::string utf8 = platform::Utf16ToUtf8(text.substr(0, text.find(u' ')));
    return utf8.size() > 1 && utf8[0] == 'v' ? std::stoi(utf8.substr(1)) : -1;
}

// Saves version after version of one category and then the index naming it, and reports each
// version on the pipe once both are written. It runs until it is killed.
[[noreturn]] void SaveForEver(const std::u16string& folder, int report) {
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    PhraseStore store(platform::NativeFileSystem(), folder);
    store.Index().categoryCount = 1;
    store.Index().nextFileId = 1;
    SetFieldText(store.Index().categories[0].fileName, CategoryFileName(0));
    auto& header = store.Loaded().header;
    header.itemCount = kMaxItems;
    for (int version = 1;; ++version) {
        for (int i = 0; i < kMaxItems; ++i) {
            SetFieldText(header.items[i].name, platform::Utf8ToUtf16(std::to_string(i)));
            header.items[i].kind = static_cast<std::int32_t>(ItemKind::TextInsertion);
            SetContentText(store.Loaded().contents[i], TextOfVersion(version, i));
            header.items[i].contentLength =
                ContentLengthFor(ItemKind::TextInsertion, store.Loaded().contents[i]);
        }
        SetFieldText(store.Index().categories[0].name, VersionName(version));
        if (!store.SaveCategory(0) || !store.SaveIndex() ||
            ::write(report, &version, sizeof version) != sizeof version) {
            ::_exit(1);
        }
    }
}

TEST(InterruptedSaveTest, AKillAtAnyMomentLeavesTheLastSaveOrTheNextOneWhole) {
    testing::TempFolder folder;
    const std::u16string directory = folder.Path().u16string() + u"/";
    std::mt19937 random(20261208);
    std::uniform_int_distribution<long> delayNs(0, 4'000'000);

    for (int round = 0; round < 40; ++round) {
        int pipeEnds[2];
        ASSERT_EQ(::pipe(pipeEnds), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(pipeEnds[0]);
            SaveForEver(directory, pipeEnds[1]);
        }
        ::close(pipeEnds[1]);
        // Wait for one finished save, then kill at a random moment of the ones after it.
        int finished = 0;
        ASSERT_EQ(::read(pipeEnds[0], &finished, sizeof finished), sizeof finished);
        const timespec delay{0, delayNs(random)};
        ::nanosleep(&delay, nullptr);
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the saving process failed on its own";
        for (int version = 0; ::read(pipeEnds[0], &version, sizeof version) == sizeof version;) {
            finished = version;
        }
        ::close(pipeEnds[0]);

        PhraseStore store(platform::NativeFileSystem(), directory);
        store.LoadIndex();
        ASSERT_EQ(store.CategoryCount(), 1) << "round " << round;
        const int indexVersion = VersionOf(store.CategoryName(0));
        ASSERT_TRUE(store.LoadCategory(0));
        ASSERT_EQ(store.ItemCount(), kMaxItems) << "round " << round;
        const int categoryVersion = VersionOf(ContentText(store.Loaded().contents[0]));
        // Each save runs from version 1 again, so the files hold this round's versions.
        EXPECT_TRUE(categoryVersion == finished || categoryVersion == finished + 1)
            << "round " << round << ": file holds v" << categoryVersion << ", last save v"
            << finished;
        EXPECT_TRUE(indexVersion == finished || indexVersion == categoryVersion)
            << "round " << round << ": index holds v" << indexVersion;
        for (int i = 0; i < kMaxItems; ++i) {
            ASSERT_EQ(ContentText(store.Loaded().contents[i]), TextOfVersion(categoryVersion, i))
                << "round " << round << ", item " << i;
        }
    }
}

} // namespace
} // namespace kvtx
