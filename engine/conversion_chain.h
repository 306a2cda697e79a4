#pragma once

#include "engine/regex_engine.h"
#include "engine/template_expansion.h"
#include "platform/message_box.h"
#include "store/records.h"

#include <string>

namespace kvtx {

struct ConversionContext {
    ExpansionContext expansion;
    RegexEngine& regex;
    platform::MessageBox& messages;
};

// Rewrites the running text through the steps of a conversion item's content, in stored order.
// Returns false when a regular-expression step did not finish (malformed, stopped by a limit,
// a result the library refuses, or no library): its message has been shown, the remaining steps
// did not run and the text must not be used. Steps of unknown kinds do nothing.
bool ApplyConversion(const ItemContent& item, std::u16string& text,
                     const ConversionContext& context);

// The passes one range step makes at most, so that a replacement that recreates its own
// delimiters cannot grow the text without end.
inline constexpr int kMaxRangePasses = 100;

} // namespace kvtx
