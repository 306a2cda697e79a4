#include "store/item_content.h"

#include <algorithm>
#include <cstring>

namespace kvtx {
namespace {

constexpr std::size_t kStepCountBytes = 2;

} // namespace

std::u16string ContentText(const ItemContent& content) {
    std::u16string text(kMaxTextChars, u'\0');
    std::memcpy(text.data(), content.bytes, kMaxTextChars * sizeof(char16_t));
    text.resize(std::min<std::size_t>(text.find(u'\0'), kMaxTextChars));
    return text;
}

void SetContentText(ItemContent& content, std::u16string_view text) {
    std::memset(content.bytes, 0, sizeof content.bytes);
    const std::size_t units = std::min<std::size_t>(text.size(), kMaxTextChars);
    std::memcpy(content.bytes, text.data(), units * sizeof(char16_t));
}

int StepCount(const ItemContent& content) {
    std::uint16_t count = 0;
    std::memcpy(&count, content.bytes, kStepCountBytes);
    return std::min<int>(count, kMaxSteps);
}

void SetStepCount(ItemContent& content, int count) {
    const auto value = static_cast<std::uint16_t>(std::clamp(count, 0, kMaxSteps));
    std::memcpy(content.bytes, &value, kStepCountBytes);
}

ConversionStep StepAt(const ItemContent& content, int index) {
    ConversionStep step{};
    if (index >= 0 && index < kMaxSteps) {
        std::memcpy(&step, content.bytes + kStepSlotBytes * (index + 1), sizeof step);
    }
    return step;
}

void SetStepAt(ItemContent& content, int index, const ConversionStep& step) {
    if (index >= 0 && index < kMaxSteps) {
        std::memcpy(content.bytes + kStepSlotBytes * (index + 1), &step, sizeof step);
    }
}

int ContentLengthFor(ItemKind kind, const ItemContent& content) {
    switch (kind) {
    case ItemKind::TextInsertion:
        return static_cast<int>(ContentText(content).size() * sizeof(char16_t));
    case ItemKind::TextConversion:
        return (StepCount(content) + 1) * kStepSlotBytes;
    }
    return 0;
}

} // namespace kvtx
