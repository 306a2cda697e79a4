#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <vector>

namespace kvtx::testing {

// Builds and inspects little-endian file images field by field, independently of the records,
// so that a layout mistake in the records cannot hide in a test that uses them on both sides.
class ByteWriter {
public:
    ByteWriter& I32(std::int32_t value) { return Raw(&value, 4); }
    ByteWriter& U16(std::uint16_t value) { return Raw(&value, 2); }
    // A fixed field of `units` UTF-16 units, NUL-padded.
    ByteWriter& Field(std::u16string_view text, std::size_t units) {
        for (std::size_t i = 0; i < units; ++i) {
            U16(i < text.size() ? static_cast<std::uint16_t>(text[i]) : 0);
        }
        return *this;
    }
    ByteWriter& Units(std::u16string_view text) { return Field(text, text.size()); }
    ByteWriter& Zeros(std::size_t count) {
        bytes.insert(bytes.end(), count, std::byte{0});
        return *this;
    }
    ByteWriter& Raw(const void* data, std::size_t size) {
        const auto* first = static_cast<const std::byte*>(data);
        bytes.insert(bytes.end(), first, first + size);
        return *this;
    }
    std::vector<std::byte> bytes;
};

inline std::int32_t ReadI32(std::span<const std::byte> bytes, std::size_t offset) {
    std::int32_t value = 0;
    std::memcpy(&value, bytes.data() + offset, 4);
    return value;
}

inline std::uint16_t ReadU16(std::span<const std::byte> bytes, std::size_t offset) {
    std::uint16_t value = 0;
    std::memcpy(&value, bytes.data() + offset, 2);
    return value;
}

inline std::u16string ReadUnits(std::span<const std::byte> bytes, std::size_t offset,
                                std::size_t units) {
    std::u16string text;
    for (std::size_t i = 0; i < units; ++i) {
        text.push_back(static_cast<char16_t>(ReadU16(bytes, offset + 2 * i)));
    }
    return text;
}

} // namespace kvtx::testing
