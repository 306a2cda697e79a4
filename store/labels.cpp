#include "store/labels.h"

namespace kvtx {

char16_t CategoryLetter(int position) {
    return static_cast<char16_t>(u'A' + position);
}
char16_t ItemLetter(int position) {
    return static_cast<char16_t>(u'a' + position);
}

std::u16string ListLabel(char16_t letter, std::u16string_view name) {
    std::u16string label(1, letter);
    label += u':';
    label += name;
    return label;
}

std::u16string MenuLabel(char16_t letter, std::u16string_view name) {
    std::u16string label = u"(&";
    label += letter;
    label += u") ";
    label += name;
    return label;
}

} // namespace kvtx
