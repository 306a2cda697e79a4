#include "store/item_preview.h"

#include "store/item_content.h"
#include "store/step_description.h"

namespace kvtx {

std::u16string ConversionPreview(const ItemContent& content) {
    std::u16string text;
    const int count = StepCount(content);
    for (int index = 0; index < count; ++index) {
        text += DescribeStep(StepAt(content, index), index + 1);
        text += u"\r\n";
    }
    return text;
}

ItemPreview PreviewItem(const PhraseItem& item, const ItemContent& content) {
    switch (static_cast<ItemKind>(item.kind)) {
    case ItemKind::TextInsertion:
        return {ContentText(content), CopyButtonState::Enabled};
    case ItemKind::TextConversion:
        return {ConversionPreview(content), CopyButtonState::Disabled};
    }
    return {};
}

} // namespace kvtx
