#include "store/step_text.h"

#include <algorithm>

namespace kvtx {
namespace {

std::u16string TakeString(const char16_t (&text)[kStepTextUnits], std::size_t& pos) {
    const std::size_t start = pos;
    while (pos < kStepTextUnits && text[pos] != u'\0') {
        ++pos;
    }
    std::u16string value(text + start, text + pos);
    if (pos < kStepTextUnits) {
        ++pos; // the terminator
    }
    return value;
}

void PutString(char16_t (&text)[kStepTextUnits], std::size_t& pos, std::u16string_view value) {
    std::copy(value.begin(), value.end(), text + pos);
    pos += value.size() + 1;
}

} // namespace

StepStrings SplitStepText(const char16_t (&text)[kStepTextUnits]) {
    std::size_t pos = 0;
    StepStrings strings;
    strings.a = TakeString(text, pos);
    strings.b = TakeString(text, pos);
    strings.c = TakeString(text, pos);
    return strings;
}

bool StepStoresC(std::uint16_t kind) {
    return kind != static_cast<std::uint16_t>(StepKind::SimpleReplace) &&
           kind != static_cast<std::uint16_t>(StepKind::RegexReplace);
}

bool StepStoresC(StepKind kind) {
    return StepStoresC(static_cast<std::uint16_t>(kind));
}

std::size_t StepCharacters(std::uint16_t kind, const StepStrings& strings) {
    return strings.a.size() + strings.b.size() + (StepStoresC(kind) ? strings.c.size() : 0);
}

std::optional<ConversionStep> PackStep(std::uint16_t kind, const StepStrings& strings) {
    if (StepCharacters(kind, strings) > kMaxStepChars) {
        return std::nullopt;
    }
    ConversionStep step{};
    step.kind = kind;
    std::size_t pos = 0;
    PutString(step.text, pos, strings.a);
    PutString(step.text, pos, strings.b);
    if (StepStoresC(kind)) {
        PutString(step.text, pos, strings.c);
    }
    return step;
}

} // namespace kvtx
