#pragma once

// Controls that keep the rules of the real Win32 ones, so dialog logic tested against them behaves
// the same over real windows:
// - a combo box given a selection outside its entries has no selection (CB_SETCURSEL);
// - a list box given such a selection keeps the one it had (LB_SETCURSEL);
// - setting an edit's text ignores its typing limit and raises the change notification
//   (WM_SETTEXT), typing stops at the limit (EM_LIMITTEXT);
// - a program's own SetSelection raises no selection-change notification; a user's click does.

#include "platform/ui/controls.h"

#include <functional>
#include <string>
#include <vector>

namespace kvtx::testing {

template <typename Base> class FakeControlBase : public Base {
public:
    void SetEnabled(bool enabled) override { enabled_ = enabled; }
    bool IsEnabled() const override { return enabled_; }
    void SetVisible(bool visible) override { visible_ = visible; }
    bool IsVisible() const override { return visible_; }
    void Focus() override { ++focusCount; }

    int focusCount = 0;

private:
    bool enabled_ = true;
    bool visible_ = true;
};

class FakeText final : public FakeControlBase<ui::TextControl> {
public:
    std::u16string Text() const override { return text_; }
    void SetText(const std::u16string& text) override {
        text_ = text;
        ++setTextCount;
        if (onChange) {
            onChange();
        }
    }
    void SetLimit(std::size_t characters) override { limit = characters; }

    // The user types at the end of the text; what passes the limit is refused.
    void Type(const std::u16string& typed) {
        if (!IsEnabled()) {
            return;
        }
        const std::size_t room = text_.size() < limit ? limit - text_.size() : 0;
        text_ += typed.substr(0, room);
        if (onChange) {
            onChange();
        }
    }
    void UserReplaces(const std::u16string& text) {
        text_.clear();
        Type(text);
    }

    std::size_t limit = 30000; // an edit control's default
    int setTextCount = 0;
    std::function<void()> onChange;

private:
    std::u16string text_;
};

template <typename Base> class FakeListBase : public FakeControlBase<Base> {
public:
    explicit FakeListBase(bool isCombo) : isCombo_(isCombo) {}

    void Clear() override {
        items.clear();
        selection_ = -1;
    }
    int Add(const std::u16string& text) override {
        items.push_back(text);
        return static_cast<int>(items.size()) - 1;
    }
    int Count() const override { return static_cast<int>(items.size()); }
    std::u16string ItemText(int index) const override {
        return index >= 0 && index < Count() ? items[static_cast<std::size_t>(index)]
                                             : std::u16string();
    }
    int Selection() const override { return selection_; }
    void SetSelection(int index) override {
        if (index >= -1 && index < Count()) {
            selection_ = index;
        } else if (isCombo_) {
            selection_ = -1;
        }
    }

    // A click on an entry: the selection moves and the dialog is notified.
    void UserSelects(int index) {
        SetSelection(index);
        if (onSelectionChange) {
            onSelectionChange();
        }
    }

    std::vector<std::u16string> items;
    std::function<void()> onSelectionChange;

private:
    bool isCombo_;
    int selection_ = -1;
};

class FakeList final : public FakeListBase<ui::ListControl> {
public:
    static FakeList ComboBox() { return FakeList(true); }
    static FakeList ListBox() { return FakeList(false); }

private:
    explicit FakeList(bool isCombo) : FakeListBase(isCombo) {}
};

class FakeEditableCombo final : public FakeListBase<ui::EditableComboControl> {
public:
    FakeEditableCombo() : FakeListBase(true) {}
    std::u16string Text() const override { return text_; }
    void SetText(const std::u16string& text) override { text_ = text; }
    void SetLimit(std::size_t characters) override { limit = characters; }
    void Type(const std::u16string& typed) {
        const std::size_t room = text_.size() < limit ? limit - text_.size() : 0;
        text_ += typed.substr(0, room);
    }

    std::size_t limit = 30000;

private:
    std::u16string text_;
};

class FakeCheck final : public FakeControlBase<ui::CheckControl> {
public:
    bool IsChecked() const override { return checked_; }
    void SetChecked(bool checked) override { checked_ = checked; }

private:
    bool checked_ = false;
};

} // namespace kvtx::testing
