#pragma once

#include "store/records.h"

#include <string>

namespace kvtx {

// What the picker's copy button does when an item is previewed.
enum class CopyButtonState {
    Enabled,   // an insertion item: its template can be copied
    Disabled,  // a conversion item: there is nothing to copy
    Unchanged, // an item of unknown kind
};

struct ItemPreview {
    std::u16string text;
    CopyButtonState copyButton = CopyButtonState::Unchanged;
};

// One picker line per step, each ending in CR LF, the last one included; no steps give "".
std::u16string ConversionPreview(const ItemContent& content);

// The picker's preview of an item: the template unexpanded, the step lines, or nothing.
ItemPreview PreviewItem(const PhraseItem& item, const ItemContent& content);

} // namespace kvtx
