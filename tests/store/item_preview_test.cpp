#include "store/item_content.h"
#include "store/item_preview.h"
#include "store/step_text.h"

#include <gtest/gtest.h>

namespace kvtx {
namespace {

PhraseItem ItemOfKind(std::int32_t kind) {
    PhraseItem item{};
    item.kind = kind;
    return item;
}

TEST(ItemPreviewTest, InsertionShowsTheTemplateUnexpandedAndEnablesCopy) {
    ItemContent content{};
    SetContentText(content, u"%Y 様\r\n%input");
    const ItemPreview preview =
        PreviewItem(ItemOfKind(static_cast<std::int32_t>(ItemKind::TextInsertion)), content);
    EXPECT_EQ(preview.text, u"%Y 様\r\n%input");
    EXPECT_EQ(preview.copyButton, CopyButtonState::Enabled);
}

TEST(ItemPreviewTest, ConversionShowsOneCrLfEndedLinePerStepAndDisablesCopy) {
    ItemContent content{};
    SetStepCount(content, 3);
    SetStepAt(content, 0, *PackStep(0, {u"foo", u"bar", u""}));
    SetStepAt(content, 1, *PackStep(1, {u"(", u"x", u""}));
    SetStepAt(content, 2, *PackStep(2, {u"<", u">", u"c"}));
    const ItemPreview preview =
        PreviewItem(ItemOfKind(static_cast<std::int32_t>(ItemKind::TextConversion)), content);
    // The picker never checks syntax, so a malformed expression reads like any other.
    EXPECT_EQ(preview.text,
              u"Step 1 置換：foo → bar\r\nStep 2 正規：s/(/x/\r\nStep 3 区間：<<c>>\r\n");
    EXPECT_EQ(preview.copyButton, CopyButtonState::Disabled);
}

TEST(ItemPreviewTest, NoStepsOrUnknownKindGiveAnEmptyPreview) {
    ItemContent content{};
    EXPECT_EQ(ConversionPreview(content), u"");
    SetContentText(content, u"text");
    const ItemPreview preview = PreviewItem(ItemOfKind(5), content);
    EXPECT_EQ(preview.text, u"");
    EXPECT_EQ(preview.copyButton, CopyButtonState::Unchanged);
}

} // namespace
} // namespace kvtx
