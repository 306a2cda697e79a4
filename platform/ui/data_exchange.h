#pragma once

#include "platform/message_box.h"
#include "platform/ui/controls.h"

#include <cstddef>
#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace kvtx::ui {

// Binds a dialog's members to its controls and moves values in either direction, in the order
// the bindings were made. Taking from the controls validates; the first field that fails shows
// its message, gets the focus, and stops the exchange.
class DataExchange {
public:
    static constexpr std::size_t kNoLimit = std::numeric_limits<std::size_t>::max();

    explicit DataExchange(platform::MessageBox& messages) : messages_(messages) {}

    // The selection index, -1 for none.
    void Selection(ListControl& control, int& member);
    // Showing also limits what the user can type to maxChars.
    void Text(TextControl& control, std::u16string& member, std::size_t maxChars = kNoLimit);
    void Text(EditableComboControl& control, std::u16string& member,
              std::size_t maxChars = kNoLimit);
    // 0 or 1.
    void Check(CheckControl& control, int& member);
    void Integer(TextControl& control, int& member, int minimum, int maximum);

    bool TakeFromControls();
    void ShowInControls();

private:
    struct Binding {
        std::function<bool()> take;
        std::function<void()> show;
    };

    template <typename Field>
    void BindText(Field& control, std::u16string& member, std::size_t maxChars);
    bool Refuse(Control& control, const std::u16string& message);

    platform::MessageBox& messages_;
    std::vector<Binding> bindings_;
};

// Strict decimal integer with optional sign and surrounding blanks, as the delay box needs; one
// beyond an int's range gives the int nearest to it.
bool ParseInteger(const std::u16string& text, int& value);

} // namespace kvtx::ui
