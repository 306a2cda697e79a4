#pragma once

#include "engine/regex_status.h"

#include <string_view>

namespace kvtx {

// What the user is told when a substitution did not finish, one text per reason, so that a limit
// or a missing library is not taken for a mistake in the expression. Empty for kDone.
std::u16string_view RegexFailureMessage(RegexStatus status);

} // namespace kvtx
