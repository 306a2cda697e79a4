#include "store/file_names.h"
#include "tests/cli/cli_fixture.h"
#include "tests/fakes/bytes.h"

namespace kvtx::testing {
namespace {

const std::u16string kRestoreDir = u"D:/restore/";

std::vector<std::byte> Slice(const std::vector<std::byte>& bytes, std::size_t from,
                             std::size_t to) {
    to = std::min(to, bytes.size());
    return from < to ? std::vector<std::byte>(bytes.begin() + static_cast<std::ptrdiff_t>(from),
                                              bytes.begin() + static_cast<std::ptrdiff_t>(to))
                     : std::vector<std::byte>();
}

class RoundTripTest : public CliTest {
protected:
    // Export from the store folder, import into an empty one, and compare what readers use:
    // the counts, the entries in use and every content, byte for byte.
    void ExpectRoundTrip() {
        const auto exported = Kvtx({"export"});
        ASSERT_EQ(exported.code, 0) << exported.err;
        PutJson(exported.out);
        const auto imported = Kvtx({"--dir", "D:/restore/", "import", kJsonName});
        ASSERT_EQ(imported.code, 0) << imported.err;

        const auto original = StoreFile(u"kvtx_index.dat");
        const auto restored = StoreFile(u"kvtx_index.dat", kRestoreDir);
        ASSERT_EQ(restored.size(), 3336u);
        const auto count = static_cast<std::size_t>(ReadI32(original, 4));
        EXPECT_EQ(Slice(restored, 0, 8 + 128 * count), Slice(original, 0, 8 + 128 * count));

        for (std::size_t k = 0; k < count; ++k) {
            const std::u16string fileName = ReadUnits(original, 72 + 128 * k, 14);
            SCOPED_TRACE(std::string(fileName.begin(), fileName.end()));
            const auto before = StoreFile(fileName);
            const auto after = StoreFile(fileName, kRestoreDir);
            const auto items = static_cast<std::size_t>(ReadI32(before, 0));
            EXPECT_EQ(after.size(), before.size());
            EXPECT_EQ(Slice(after, 0, 4 + 68 * items), Slice(before, 0, 4 + 68 * items));
            EXPECT_EQ(Slice(after, 1772, after.size()), Slice(before, 1772, before.size()));
        }

        // And the restored store exports to the very same JSON.
        const auto again = Kvtx({"--dir", "D:/restore/", "export"});
        EXPECT_EQ(again.out, exported.out);
    }
};

TEST_F(RoundTripTest, EveryKindLimitAndStaleEntryComesBackInItsSignificantBytes) {
    ConversionStep foreign{};
    foreign.kind = 0x1234;
    foreign.text[0] = u'X';
    foreign.text[254] = u'\xFFFF';
    std::vector<ConversionStep> full;
    for (int s = 0; s < 7; ++s) {
        full.push_back(Step(StepKind::RangeReplace, std::u16string(84, u'a'),
                            std::u16string(84, u'b'), std::u16string(84, u'c')));
    }

    StoreBuilder builder;
    builder.Category(u"挨拶", u"kvtx_00000.dat")
        .Text(u"一字", u"x")
        .Text(u"空", u"")
        .Text(std::u16string(27, u'名'), std::u16string(2044, u'長'))
        .Text(u"複数行", u"拝啓\r\n%Y/%M/%D 100%% 😀\t\"引用\"\\")
        .Conversion(u"七段", full)
        .Conversion(u"空の連鎖", {})
        .Conversion(u"混在", {Step(StepKind::SimpleReplace, u"", std::u16string(252, u'b')),
                              foreign, Step(StepKind::RegexReplace, u"(\\d+)", u"[$1]")})
        .Raw(u"未知の種類", 5, {std::byte{0xFF}, std::byte{0}, std::byte{0x7F}})
        .Raw(u"空の未知", -3, {});
    SetFieldText(builder.Current().header.items[builder.Current().header.itemCount].name,
                 u"削除された項目");
    builder.Category(std::u16string(30, u'類'), u"kvtx_0001a.dat")
        .Text(u"メール/署名", u"--\r\n山田");
    SetFieldText(builder.index.categories[2].name, u"削除された分類");
    SetFieldText(builder.index.categories[2].fileName, u"kvtx_00007.dat");
    builder.index.nextFileId = 27;
    builder.Save(files);

    ExpectRoundTrip();
}

TEST_F(RoundTripTest, AFullStoreComesBack) {
    StoreBuilder builder;
    for (int k = 0; k < 26; ++k) {
        builder.Category(u"分類" + std::u16string(1, CategoryLetter(k)), CategoryFileName(k * 3));
        for (int i = 0; i < 26; ++i) {
            builder.Text(std::u16string(1, ItemLetter(i)),
                         std::u16string(static_cast<std::size_t>(2044 - i), u'文'));
        }
    }
    builder.index.nextFileId = 26 * 3;
    builder.Save(files);

    ExpectRoundTrip();
}

} // namespace
} // namespace kvtx::testing
