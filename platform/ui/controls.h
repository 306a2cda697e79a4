#pragma once

// The controls a dialog's logic talks to. The Win32 binding implements them over real windows;
// tests use fakes that keep the real controls' rules (see tests/fakes/fake_controls.h).

#include <cstddef>
#include <string>

namespace kvtx::ui {

class Control {
public:
    virtual ~Control() = default;
    virtual void SetEnabled(bool enabled) = 0;
    virtual bool IsEnabled() const = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual bool IsVisible() const = 0;
    virtual void Focus() = 0;
};

// An edit box, a static text or a button caption.
class TextControl : public Control {
public:
    virtual std::u16string Text() const = 0;
    virtual void SetText(const std::u16string& text) = 0;
    // How many characters the user can type; text set by the program is not cut.
    virtual void SetLimit(std::size_t characters) = 0;
};

// A list box or a drop-down list combo box. Selection -1 means none. Setting a selection outside
// 0..Count()-1 behaves as the platform's control does: a combo box then has no selection, a list
// box keeps the one it had.
class ListControl : public Control {
public:
    virtual void Clear() = 0;
    virtual int Add(const std::u16string& text) = 0;
    virtual int Count() const = 0;
    virtual std::u16string ItemText(int index) const = 0;
    virtual int Selection() const = 0;
    virtual void SetSelection(int index) = 0;
};

// A combo box with an editable field: a list plus the text in the field.
class EditableComboControl : public ListControl {
public:
    virtual std::u16string Text() const = 0;
    virtual void SetText(const std::u16string& text) = 0;
    virtual void SetLimit(std::size_t characters) = 0;
};

class CheckControl : public Control {
public:
    virtual bool IsChecked() const = 0;
    virtual void SetChecked(bool checked) = 0;
};

} // namespace kvtx::ui
