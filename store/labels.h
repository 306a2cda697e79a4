#pragma once

#include <string>
#include <string_view>

namespace kvtx {

// Letters follow positions: category 0 is A, item 0 is a.
char16_t CategoryLetter(int position);
char16_t ItemLetter(int position);

// "%c:%s", as the picker's and the editor's lists show entries.
std::u16string ListLabel(char16_t letter, std::u16string_view name);
// "(&%c) %s", as the popup menu shows entries.
std::u16string MenuLabel(char16_t letter, std::u16string_view name);

} // namespace kvtx
