// Arbitrary text, pattern and replacement through the substitution core: it must never crash,
// hang past its deadline or hand back more than it was allowed, and where it substitutes, the
// replacement "$0" must give the text back unchanged.
#include "regexlib/substitute.h"

#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>

using namespace kvtx::regexlib;

namespace {

// Mostly one byte a unit, so that metacharacters are common; sometimes raw units, so that lone
// surrogates and characters beyond the basic plane turn up too.
std::u16string Units(const std::string& bytes, bool raw) {
    std::u16string out;
    if (raw) {
        for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
            out.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                                static_cast<unsigned char>(bytes[i + 1]) << 8));
        }
    } else {
        for (const char c : bytes) {
            out.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
        }
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const auto maxUnits = input.ConsumeIntegralInRange<std::size_t>(0, 4096);
    const bool raw = input.ConsumeBool();
    const std::u16string pattern = Units(input.ConsumeRandomLengthString(256), raw);
    const std::u16string replacement = Units(input.ConsumeRandomLengthString(256), raw);
    const std::u16string text = Units(input.ConsumeRemainingBytesAsString(), raw);

    SubstituteLimits limits;
    limits.matchLimit = 200'000;
    limits.heapLimitKiB = 16 * 1024;
    limits.deadline = std::chrono::milliseconds(100);

    std::u16string result = u"unset";
    const SubstituteStatus status =
        Substitute(text, pattern, replacement, maxUnits, result, limits);
    if (status != SubstituteStatus::kDone) {
        if (result != u"unset") {
            std::abort();
        }
        return 0;
    }
    if (result.size() > maxUnits) {
        std::abort();
    }

    std::u16string identity;
    const SubstituteStatus same = Substitute(text, pattern, u"$0", text.size(), identity, limits);
    if (same == SubstituteStatus::kMalformed ||
        (same == SubstituteStatus::kDone && identity != text)) {
        std::abort();
    }
    return 0;
}
