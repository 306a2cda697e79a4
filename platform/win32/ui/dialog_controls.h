#pragma once

// The control interface of platform/ui/controls.h over a dialog's real controls. Attach each
// one to its dialog item in OnInitDialog; the portable dialog logic then talks to it as it talks
// to the fakes in its tests.

#include "platform/ui/controls.h"

#include <string>
#include <windows.h>

namespace kvtx::win32::ui {

template <typename Base> class DialogItem : public Base {
public:
    void Attach(HWND dialog, int id) { window_ = ::GetDlgItem(dialog, id); }
    HWND Handle() const { return window_; }

    void SetEnabled(bool enabled) override { ::EnableWindow(window_, enabled ? TRUE : FALSE); }
    bool IsEnabled() const override { return ::IsWindowEnabled(window_) != FALSE; }
    void SetVisible(bool visible) override { ::ShowWindow(window_, visible ? SW_SHOW : SW_HIDE); }
    // The control's own state, whether or not its dialog is shown.
    bool IsVisible() const override {
        return (::GetWindowLongPtrW(window_, GWL_STYLE) & WS_VISIBLE) != 0;
    }
    // Through the dialog manager, so that default-button and selection rules apply.
    void Focus() override {
        ::SendMessageW(::GetParent(window_), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(window_),
                       TRUE);
    }

protected:
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageW(window_, message, wParam, lParam);
    }
    // WM_GETTEXT rather than GetWindowTextW, which gives only an edit's initial caption when
    // asked from outside.
    std::u16string ReadText() const {
        const auto length = static_cast<std::size_t>(Send(WM_GETTEXTLENGTH));
        std::u16string text(length + 1, u'\0');
        const auto copied = static_cast<std::size_t>(
            Send(WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data())));
        text.resize(copied < length ? copied : length);
        return text;
    }
    void WriteText(const std::u16string& text) {
        Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }

private:
    HWND window_ = nullptr;
};

// An edit box, a static text or a button caption.
class TextItem final : public DialogItem<kvtx::ui::TextControl> {
public:
    std::u16string Text() const override { return ReadText(); }
    void SetText(const std::u16string& text) override { WriteText(text); }
    void SetLimit(std::size_t characters) override;
};

// An edit box that can also put a range of its text on the clipboard itself.
class EditItem final : public DialogItem<kvtx::ui::TextControl> {
public:
    std::u16string Text() const override { return ReadText(); }
    void SetText(const std::u16string& text) override { WriteText(text); }
    void SetLimit(std::size_t characters) override;
    // EM_SETSEL, EM_SCROLLCARET and WM_COPY: the edit control writes the clipboard.
    void SelectAndCopy(int start, int end);
};

class ListBoxItem final : public DialogItem<kvtx::ui::ListControl> {
public:
    void Clear() override { Send(LB_RESETCONTENT); }
    int Add(const std::u16string& text) override;
    int Count() const override;
    std::u16string ItemText(int index) const override;
    int Selection() const override;
    void SetSelection(int index) override;
};

// A drop-down list combo box.
class ComboBoxItem final : public DialogItem<kvtx::ui::ListControl> {
public:
    void Clear() override { Send(CB_RESETCONTENT); }
    int Add(const std::u16string& text) override;
    int Count() const override;
    std::u16string ItemText(int index) const override;
    int Selection() const override;
    void SetSelection(int index) override;
};

// A combo box with an editable field.
class EditableComboItem final : public DialogItem<kvtx::ui::EditableComboControl> {
public:
    void Clear() override { Send(CB_RESETCONTENT); }
    int Add(const std::u16string& text) override;
    int Count() const override;
    std::u16string ItemText(int index) const override;
    int Selection() const override;
    void SetSelection(int index) override;
    std::u16string Text() const override { return ReadText(); }
    void SetText(const std::u16string& text) override { WriteText(text); }
    void SetLimit(std::size_t characters) override;
};

class CheckItem final : public DialogItem<kvtx::ui::CheckControl> {
public:
    bool IsChecked() const override { return Send(BM_GETCHECK) == BST_CHECKED; }
    void SetChecked(bool checked) override {
        Send(BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED);
    }
};

// Any other control: a button or a picture the logic only enables, hides or focuses.
class PlainItem final : public DialogItem<kvtx::ui::Control> {};

} // namespace kvtx::win32::ui
