#pragma once

#include "engine/regex_status.h"
#include "store/records.h"

#include <cstddef>
#include <optional>
#include <string>

namespace kvtx {

// The text engine as the capture and paste driver uses it, so that the driver can be tested
// with a clock, prompts and regular expressions it controls.
class TextTransforms {
public:
    virtual ~TextTransforms() = default;
    // Fills the template's fields in place; may ask for "%input". Returns where the first
    // "%{カーソル}" stood in the result, or nullopt.
    virtual std::optional<std::size_t> ExpandTemplate(std::u16string& text,
                                                      const std::u16string& selected) = 0;
    // Rewrites text through the item's steps; false, with the message shown, when a regular
    // expression step did not finish.
    virtual bool ApplyConversion(const PhraseItem& item, const ItemContent& content,
                                 std::u16string& text) = 0;
    // One substitution as the quick tool makes it (line ends and escapes as a regular-expression
    // step treats them); unless kDone, text is unchanged.
    virtual RegexStatus SubstituteQuick(std::u16string& text, const std::u16string& pattern,
                                        const std::u16string& replacement) = 0;
};

} // namespace kvtx
