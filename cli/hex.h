#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kvtx::cli {

// Raw contents of kinds the program does not know travel in the JSON form as hexadecimal text.
std::string ToHex(std::span<const std::byte> bytes);
// Upper or lower case; nullopt for an odd length or a character that is not a hex digit.
std::optional<std::vector<std::byte>> FromHex(std::string_view text);

} // namespace kvtx::cli
