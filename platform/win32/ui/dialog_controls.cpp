#include "platform/win32/ui/dialog_controls.h"

namespace kvtx::win32::ui {
namespace {

// 0 asks an edit or combo box for its largest limit.
WPARAM LimitParameter(std::size_t characters) {
    constexpr std::size_t largest = 0x7FFFFFFE;
    return characters > largest ? 0 : static_cast<WPARAM>(characters);
}

LPARAM TextParameter(const std::u16string& text) {
    return reinterpret_cast<LPARAM>(text.c_str());
}

int ToInt(LRESULT value) {
    return static_cast<int>(value);
}

// The text of one entry of a list or combo box; empty for an index it does not have.
std::u16string EntryText(HWND control, UINT lengthMessage, UINT textMessage, int index,
                         LRESULT error) {
    if (index < 0) {
        return {};
    }
    const LRESULT length = ::SendMessageW(control, lengthMessage, static_cast<WPARAM>(index), 0);
    if (length == error || length < 0) {
        return {};
    }
    std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
    const LRESULT copied = ::SendMessageW(control, textMessage, static_cast<WPARAM>(index),
                                          reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied == error || copied < 0 ? 0 : static_cast<std::size_t>(copied));
    return text;
}

} // namespace

void TextItem::SetLimit(std::size_t characters) {
    Send(EM_LIMITTEXT, LimitParameter(characters));
}

void EditItem::SetLimit(std::size_t characters) {
    Send(EM_LIMITTEXT, LimitParameter(characters));
}

void EditItem::SelectAndCopy(int start, int end) {
    Send(EM_SETSEL, static_cast<WPARAM>(start), end);
    Send(EM_SCROLLCARET);
    Send(WM_COPY);
}

int ListBoxItem::Add(const std::u16string& text) {
    return ToInt(Send(LB_ADDSTRING, 0, TextParameter(text)));
}
int ListBoxItem::Count() const {
    return ToInt(Send(LB_GETCOUNT));
}
std::u16string ListBoxItem::ItemText(int index) const {
    return EntryText(Handle(), LB_GETTEXTLEN, LB_GETTEXT, index, LB_ERR);
}
int ListBoxItem::Selection() const {
    return ToInt(Send(LB_GETCURSEL));
}
void ListBoxItem::SetSelection(int index) {
    Send(LB_SETCURSEL, static_cast<WPARAM>(index));
}

int ComboBoxItem::Add(const std::u16string& text) {
    return ToInt(Send(CB_ADDSTRING, 0, TextParameter(text)));
}
int ComboBoxItem::Count() const {
    return ToInt(Send(CB_GETCOUNT));
}
std::u16string ComboBoxItem::ItemText(int index) const {
    return EntryText(Handle(), CB_GETLBTEXTLEN, CB_GETLBTEXT, index, CB_ERR);
}
int ComboBoxItem::Selection() const {
    return ToInt(Send(CB_GETCURSEL));
}
void ComboBoxItem::SetSelection(int index) {
    Send(CB_SETCURSEL, static_cast<WPARAM>(index));
}

int EditableComboItem::Add(const std::u16string& text) {
    return ToInt(Send(CB_ADDSTRING, 0, TextParameter(text)));
}
int EditableComboItem::Count() const {
    return ToInt(Send(CB_GETCOUNT));
}
std::u16string EditableComboItem::ItemText(int index) const {
    return EntryText(Handle(), CB_GETLBTEXTLEN, CB_GETLBTEXT, index, CB_ERR);
}
int EditableComboItem::Selection() const {
    return ToInt(Send(CB_GETCURSEL));
}
void EditableComboItem::SetSelection(int index) {
    Send(CB_SETCURSEL, static_cast<WPARAM>(index));
}
void EditableComboItem::SetLimit(std::size_t characters) {
    Send(CB_LIMITTEXT, LimitParameter(characters));
}

} // namespace kvtx::win32::ui
