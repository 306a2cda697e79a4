#include "platform/utf.h"

#include <algorithm>
#include <cstdint>

namespace kvtx::platform {
namespace {

constexpr char32_t kReplacement = 0xFFFD;
// What DecodeOne gives for bytes that are no shortest-form UTF-8 of a scalar value, and for
// bytes that end inside a sequence. Neither is a scalar value.
constexpr char32_t kMalformed = 0x110000;
constexpr char32_t kTruncated = 0x110001;

// A large text is converted in blocks: the output grows by one block's worst case, is written
// through a pointer and cut back to what was written. No unit is appended one by one, and the
// worst case of the whole text (three times the bytes a Japanese text needs) is never touched.
constexpr std::size_t kBlockBytes = std::size_t{1} << 16;
constexpr std::size_t kBlockUnits = std::size_t{1} << 15;

bool IsHighSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}
bool IsSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDFFF;
}

// Decodes one sequence at text[pos]; advances pos past the bytes it took.
char32_t DecodeOne(std::string_view text, std::size_t& pos) {
    const auto lead = static_cast<std::uint8_t>(text[pos++]);
    if (lead < 0x80) {
        return lead;
    }
    int extra = 0;
    char32_t value = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        value = lead & 0x1Fu;
        minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        value = lead & 0x0Fu;
        minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        value = lead & 0x07u;
        minimum = 0x10000;
    } else {
        return kMalformed;
    }
    for (int i = 0; i < extra; ++i) {
        if (pos >= text.size()) {
            return kTruncated;
        }
        const auto next = static_cast<std::uint8_t>(text[pos]);
        if ((next & 0xC0) != 0x80) {
            return kMalformed;
        }
        ++pos;
        value = (value << 6) | (next & 0x3Fu);
    }
    if (value < minimum || value > 0x10FFFF || IsSurrogate(value)) {
        return kMalformed;
    }
    return value;
}

char16_t* PutUtf16(char32_t c, char16_t* out) {
    if (c >= 0x10000) {
        *out++ = static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
        *out++ = static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
        *out++ = static_cast<char16_t>(c);
    }
    return out;
}

char* PutUtf8(char32_t c, char* out) {
    if (c < 0x800) {
        *out++ = static_cast<char>(0xC0 | (c >> 6));
    } else if (c < 0x10000) {
        *out++ = static_cast<char>(0xE0 | (c >> 12));
        *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | (c >> 18));
        *out++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    }
    *out++ = static_cast<char>(0x80 | (c & 0x3F));
    return out;
}

enum class OnMalformed { kReplace, kStop };

Utf8Decoded Decode(std::string_view utf8, std::u16string& out, OnMalformed onMalformed) {
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const std::size_t end = std::min(utf8.size(), pos + kBlockBytes);
        const std::size_t used = out.size();
        // No sequence gives more units than it has bytes, and one that starts before end runs
        // at most three bytes past it.
        out.resize(used + (end - pos) + 3);
        char16_t* const first = out.data() + used;
        char16_t* next = first;
        char32_t failure = 0;
        while (pos < end) {
            const auto byte = static_cast<std::uint8_t>(utf8[pos]);
            if (byte < 0x80) {
                *next++ = byte;
                ++pos;
                continue;
            }
            // Most of a Japanese text is whole three-byte sequences: they skip the general path.
            if ((byte & 0xF0) == 0xE0 && pos + 2 < utf8.size()) {
                const auto second = static_cast<std::uint8_t>(utf8[pos + 1]);
                const auto third = static_cast<std::uint8_t>(utf8[pos + 2]);
                const char32_t c =
                    ((byte & 0x0Fu) << 12) | ((second & 0x3Fu) << 6) | (third & 0x3Fu);
                if ((second & 0xC0) == 0x80 && (third & 0xC0) == 0x80 && c >= 0x800 &&
                    !IsSurrogate(c)) {
                    *next++ = static_cast<char16_t>(c);
                    pos += 3;
                    continue;
                }
            }
            const std::size_t start = pos;
            const char32_t c = DecodeOne(utf8, pos);
            if (c < kMalformed) {
                next = PutUtf16(c, next);
            } else if (onMalformed == OnMalformed::kReplace) {
                *next++ = static_cast<char16_t>(kReplacement);
            } else {
                pos = start;
                failure = c;
                break;
            }
        }
        out.resize(used + static_cast<std::size_t>(next - first));
        if (failure != 0) {
            return {pos, failure == kMalformed};
        }
    }
    return {pos, false};
}

} // namespace

std::u16string Utf8ToUtf16(std::string_view utf8) {
    std::u16string out;
    // Never more units than bytes: one allocation.
    out.reserve(utf8.size() + 3);
    Decode(utf8, out, OnMalformed::kReplace);
    return out;
}

Utf8Decoded AppendValidUtf8AsUtf16(std::string_view utf8, std::u16string& out) {
    return Decode(utf8, out, OnMalformed::kStop);
}

void AppendUtf16AsUtf8(std::u16string_view utf16, std::string& out) {
    std::size_t i = 0;
    while (i < utf16.size()) {
        const std::size_t end = std::min(utf16.size(), i + kBlockUnits);
        const std::size_t used = out.size();
        // Three bytes at most per unit; a pair that starts at end - 1 takes four for its two.
        out.resize(used + 3 * (end - i) + 1);
        char* const first = out.data() + used;
        char* next = first;
        while (i < end) {
            char32_t c = utf16[i++];
            if (c < 0x80) {
                *next++ = static_cast<char>(c);
                continue;
            }
            if (IsHighSurrogate(c) && i < utf16.size() && IsLowSurrogate(utf16[i])) {
                c = 0x10000 + ((c - 0xD800) << 10) + (utf16[i++] - 0xDC00u);
            } else if (IsSurrogate(c)) {
                c = kReplacement;
            }
            next = PutUtf8(c, next);
        }
        out.resize(used + static_cast<std::size_t>(next - first));
    }
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
    std::string out;
    out.reserve(utf16.size());
    AppendUtf16AsUtf8(utf16, out);
    return out;
}

bool IsValidUtf8(std::string_view utf8) {
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        if (DecodeOne(utf8, pos) >= kMalformed) {
            return false;
        }
    }
    return true;
}

} // namespace kvtx::platform
