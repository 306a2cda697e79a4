// Arbitrary templates and selections through the expansion: it must never crash, ask for
// "%input" at most once, and leave a template without a percent sign exactly as it was.
#include "engine/template_expansion.h"
#include "tests/fakes/fake_clock.h"
#include "tests/fakes/fake_input_prompt.h"

#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>

using namespace kvtx;

namespace {

// One byte a unit, so that "%Y", "%input" and "%original" turn up often; a byte from 0xF0 up
// makes the next two one raw unit, for Japanese text and lone surrogates.
std::u16string Units(const std::string& bytes) {
    std::u16string out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte >= 0xF0 && i + 2 < bytes.size()) {
            out.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i + 1]) |
                                                static_cast<unsigned char>(bytes[i + 2]) << 8));
            i += 2;
        } else {
            out.push_back(byte);
        }
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    testing::FakeClock clock({2026, 12, 8, 9, 5, 7});
    testing::FakeInputPrompt prompt;
    if (input.ConsumeBool()) {
        prompt.answers.push_back(Units(input.ConsumeRandomLengthString(64)));
    }
    const std::u16string selected = Units(input.ConsumeRandomLengthString(256));
    const std::u16string original = Units(input.ConsumeRemainingBytesAsString());

    std::u16string text = original;
    const auto caret = ExpandTemplate(text, selected, {clock, prompt});
    if (caret && *caret > text.size()) {
        std::abort();
    }
    if (prompt.asked > 1) {
        std::abort();
    }
    if (original.find(u'%') == std::u16string::npos && text != original) {
        std::abort();
    }
    return 0;
}
