#pragma once

#include <string>

namespace kvtx::platform {

// Modal message boxes with the program's fixed Japanese texts.
class MessageBox {
public:
    virtual ~MessageBox() = default;
    // OK button only.
    virtual void Show(const std::u16string& text) = 0;
    // Yes and No; true for Yes.
    virtual bool AskYesNo(const std::u16string& text) = 0;
};

} // namespace kvtx::platform
