#pragma once

#include "store/records.h"

#include <string>

namespace kvtx {

// One line describing a step; number counts from 1. The editor passes syntaxRejected for a
// regular-expression step whose pattern or replacement the regex library refuses; the picker never
// checks. A step of an unknown kind gives an empty line.
std::u16string DescribeStep(const ConversionStep& step, int number, bool syntaxRejected = false);

} // namespace kvtx
