#pragma once

#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

namespace kvtx::cli {

// The whole stream as UTF-16; nullopt when it is not valid UTF-8, since a replaced byte would
// come back changed in text the user never meant to touch.
std::optional<std::u16string> ReadUtf8Text(std::istream& in);

// Text inside the program has CR LF line ends, as the clipboard gives them. Input with Unix line
// ends is brought to that form, and output goes back to the form the input had.
std::u16string WithCrLf(std::u16string text);
// Writes the UTF-8 of the result; CR LF becomes LF unless the input used CR LF.
void WriteOutputText(std::ostream& out, std::u16string text, bool inputUsedCrLf);
// Writes the UTF-8 of text as it is.
void WriteUtf8Text(std::ostream& out, std::u16string_view text);

} // namespace kvtx::cli
