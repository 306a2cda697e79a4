#pragma once

#include "store/records.h"

#include <string>
#include <string_view>

namespace kvtx {

// Typed access to an item's 4096-byte content buffer. Every read is bounded by the buffer, so a
// damaged file can never make a reader run past it.

// The template text up to its terminator (at most 2044 characters).
std::u16string ContentText(const ItemContent& content);
// Stores the text with its terminator, cut at 2044 characters; the rest of the buffer is zeroed.
void SetContentText(ItemContent& content, std::u16string_view text);

// The step count, clamped to 0..7 whatever the buffer holds.
int StepCount(const ItemContent& content);
void SetStepCount(ItemContent& content, int count);

// index 0..6.
ConversionStep StepAt(const ItemContent& content, int index);
void SetStepAt(ItemContent& content, int index, const ConversionStep& step);

// The bytes a category file stores for an item of this kind and content.
int ContentLengthFor(ItemKind kind, const ItemContent& content);

} // namespace kvtx
