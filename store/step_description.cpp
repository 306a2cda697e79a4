#include "store/step_description.h"

#include "store/step_text.h"

namespace kvtx {
namespace {

std::u16string_view MarkText(StepMark mark) {
    switch (mark) {
    case StepMark::kNone:
        return {};
    case StepMark::kSyntaxError:
        return u"【構文誤り】 ";
    case StepMark::kLibraryMissing:
        return u"【ライブラリなし】 ";
    }
    return {};
}

} // namespace

std::u16string DescribeStep(const ConversionStep& step, int number, StepMark mark) {
    const StepStrings s = SplitStepText(step.text);
    const std::string digits = std::to_string(number);
    const std::u16string head = u"Step " + std::u16string(digits.begin(), digits.end()) + u" ";
    switch (static_cast<StepKind>(step.kind)) {
    case StepKind::SimpleReplace:
        return head + u"置換：" + s.a + u" → " + s.b;
    case StepKind::RegexReplace:
        return head + std::u16string(MarkText(mark)) + u"正規：s/" + s.a + u"/" + s.b + u"/";
    case StepKind::RangeReplace:
        return head + u"区間：" + s.a + u"<" + s.c + u">" + s.b;
    }
    return {};
}

} // namespace kvtx
