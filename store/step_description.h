#pragma once

#include "store/records.h"

#include <string>

namespace kvtx {

// What the editor's step list says about a regular-expression step after its syntax check; the
// picker never checks.
enum class StepMark {
    kNone,
    kSyntaxError,    // the library finds the pattern or the replacement malformed
    kLibraryMissing, // there is no library to check with
};

// One line describing a step; number counts from 1. The mark shows on regular-expression steps
// only. A step of an unknown kind gives an empty line.
std::u16string DescribeStep(const ConversionStep& step, int number,
                            StepMark mark = StepMark::kNone);

} // namespace kvtx
