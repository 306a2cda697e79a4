#pragma once

#include "store/records.h"

#include <optional>
#include <string>
#include <string_view>

namespace kvtx {

struct StepStrings {
    std::u16string a;
    std::u16string b;
    std::u16string c;
};

// A, B and C from a step's 255-unit text field; only the field's own units are examined, so an
// unterminated field ends at its last unit.
StepStrings SplitStepText(const char16_t (&text)[kStepTextUnits]);

// Whether a step of this kind stores C.
bool StepStoresC(StepKind kind);
bool StepStoresC(std::uint16_t kind);

// The units a step of this kind would use for its strings (terminators not counted).
std::size_t StepCharacters(std::uint16_t kind, const StepStrings& strings);

// The step record, or nullopt when its strings exceed the 252-character budget.
std::optional<ConversionStep> PackStep(std::uint16_t kind, const StepStrings& strings);

} // namespace kvtx
