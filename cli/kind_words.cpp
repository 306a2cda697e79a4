#include "cli/kind_words.h"

#include "store/records.h"

#include <array>
#include <utility>

namespace kvtx::cli {
namespace {

constexpr std::array<std::pair<ItemKind, std::string_view>, 2> kItemWords{{
    {ItemKind::TextInsertion, "text"},
    {ItemKind::TextConversion, "conversion"},
}};

constexpr std::array<std::pair<StepKind, std::string_view>, 3> kStepWords{{
    {StepKind::SimpleReplace, "replace"},
    {StepKind::RegexReplace, "regex"},
    {StepKind::RangeReplace, "range"},
}};

template <typename Kind, typename Value, std::size_t N>
std::optional<std::string_view>
WordOf(const std::array<std::pair<Kind, std::string_view>, N>& words, Value value) {
    for (const auto& [kind, word] : words) {
        if (static_cast<Value>(kind) == value) {
            return word;
        }
    }
    return std::nullopt;
}

template <typename Value, typename Kind, std::size_t N>
std::optional<Value> KindOf(const std::array<std::pair<Kind, std::string_view>, N>& words,
                            std::string_view text) {
    for (const auto& [kind, word] : words) {
        if (word == text) {
            return static_cast<Value>(kind);
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string_view> ItemKindWord(std::int32_t kind) {
    return WordOf(kItemWords, kind);
}
std::optional<std::string_view> StepKindWord(std::uint16_t kind) {
    return WordOf(kStepWords, kind);
}

std::optional<std::int32_t> ItemKindFromWord(std::string_view word) {
    return KindOf<std::int32_t>(kItemWords, word);
}

std::optional<std::uint16_t> StepKindFromWord(std::string_view word) {
    return KindOf<std::uint16_t>(kStepWords, word);
}

} // namespace kvtx::cli
