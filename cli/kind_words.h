#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kvtx::cli {

// The words the JSON form and the listing use for the kinds the program knows. A kind without a
// word is written as its number.
std::optional<std::string_view> ItemKindWord(std::int32_t kind);
std::optional<std::string_view> StepKindWord(std::uint16_t kind);

std::optional<std::int32_t> ItemKindFromWord(std::string_view word);
std::optional<std::uint16_t> StepKindFromWord(std::string_view word);

} // namespace kvtx::cli
