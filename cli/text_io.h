#pragma once

#include <istream>
#include <optional>
#include <string>
#include <string_view>

namespace kvtx::cli {

// The whole stream as UTF-16; nullopt when it is not valid UTF-8, since a replaced byte would
// come back changed in text the user never meant to touch.
std::optional<std::u16string> ReadUtf8Text(std::istream& in);

// Text inside the program has CR LF line ends, as the clipboard gives them. Input with Unix line
// ends is brought to that form, and output goes back to the form the input had.
bool HasCrLf(std::u16string_view text);
std::u16string WithCrLf(std::u16string_view text);
// UTF-8 of the result; CR LF becomes LF unless the input used CR LF.
std::string OutputText(std::u16string_view text, bool inputUsedCrLf);

} // namespace kvtx::cli
