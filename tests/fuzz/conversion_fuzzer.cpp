// Arbitrary category files run as conversion items over arbitrary text, with the program's own
// regular-expression engine: the chain must never crash or hang, and a chain that reports a
// malformed expression has shown exactly one message.
#include "engine/conversion_chain.h"
#include "store/store_codec.h"
#include "tests/fakes/fake_clock.h"
#include "tests/fakes/fake_input_prompt.h"
#include "tests/fakes/fake_message_box.h"

#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <memory>

using namespace kvtx;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string textBytes = input.ConsumeRandomLengthString(2048);
    const std::vector<std::uint8_t> file = input.ConsumeRemainingBytes<std::uint8_t>();

    auto category = std::make_unique<CategoryImage>();
    DecodeCategory(std::as_bytes(std::span(file)), *category);

    testing::FakeClock clock({2026, 12, 8, 9, 5, 7});
    testing::FakeInputPrompt prompt;
    testing::FakeMessageBox messages;
    RegexEngine regex(DefaultRegexLibrary());
    const ConversionContext context{{clock, prompt}, regex, messages};

    const std::u16string original(textBytes.begin(), textBytes.end());
    for (const ItemContent& content : category->contents) {
        std::u16string text = original;
        messages.shown.clear();
        const bool converted = ApplyConversion(content, text, context);
        if (converted ? !messages.shown.empty() : messages.shown.size() != 1) {
            std::abort();
        }
    }
    return 0;
}
