#include "cli/text_io.h"

#include "engine/line_ends.h"
#include "platform/large_text.h"
#include "platform/utf.h"

#include <algorithm>

namespace kvtx::cli {
namespace {

// Input is read and output written in blocks, so that neither the UTF-8 bytes of the input nor
// those of the output are ever held whole beside the text.
constexpr std::size_t kReadBytes = std::size_t{1} << 16;
constexpr std::size_t kWriteUnits = std::size_t{1} << 15;

// What is left of a stream that can tell (a file); 0 where it cannot (a pipe).
std::size_t RemainingBytes(std::istream& in) {
    std::streambuf& buffer = *in.rdbuf();
    const std::streampos here = buffer.pubseekoff(0, std::ios::cur, std::ios::in);
    if (here == std::streampos(-1)) {
        return 0;
    }
    const std::streampos end = buffer.pubseekoff(0, std::ios::end, std::ios::in);
    buffer.pubseekpos(here, std::ios::in);
    return end > here ? static_cast<std::size_t>(end - here) : 0;
}

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

} // namespace

std::optional<std::u16string> ReadUtf8Text(std::istream& in) {
    std::u16string text;
    // No text has more UTF-16 units than UTF-8 bytes, so a file's size makes one allocation.
    platform::ReserveLargeText(text, RemainingBytes(in));
    std::string block(kReadBytes + 3, '\0');
    std::size_t carried = 0;
    for (;;) {
        in.read(block.data() + carried, static_cast<std::streamsize>(kReadBytes));
        const auto got = static_cast<std::size_t>(in.gcount());
        if (got == 0) {
            break;
        }
        const std::size_t filled = carried + got;
        const auto decoded = platform::AppendValidUtf8AsUtf16({block.data(), filled}, text);
        if (decoded.malformed) {
            return std::nullopt;
        }
        // A sequence that this block ends inside is completed by the next one.
        carried = filled - decoded.bytesTaken;
        std::copy(block.begin() + static_cast<std::ptrdiff_t>(decoded.bytesTaken),
                  block.begin() + static_cast<std::ptrdiff_t>(filled), block.begin());
    }
    // Bytes left over are a sequence cut off by the end of the input.
    if (carried != 0) {
        return std::nullopt;
    }
    return text;
}

std::u16string WithCrLf(std::u16string text) {
    LoneLfToCrLf(text);
    return text;
}

void WriteOutputText(std::ostream& out, std::u16string text, bool inputUsedCrLf) {
    if (!inputUsedCrLf) {
        CrLfToLf(text);
    }
    WriteUtf8Text(out, text);
}

void WriteUtf8Text(std::ostream& out, std::u16string_view text) {
    std::string block;
    while (!text.empty()) {
        std::size_t units = std::min(kWriteUnits, text.size());
        // A surrogate pair is encoded whole, in one block.
        if (units < text.size() && IsHighSurrogate(text[units - 1])) {
            --units;
        }
        block.clear();
        platform::AppendUtf16AsUtf8(text.substr(0, units), block);
        out.write(block.data(), static_cast<std::streamsize>(block.size()));
        text.remove_prefix(units);
    }
}

} // namespace kvtx::cli
