#include "engine/conversion_chain.h"

#include "engine/regex_messages.h"
#include "engine/replace_all.h"
#include "store/item_content.h"
#include "store/step_text.h"

namespace kvtx {
namespace {

void SimpleReplace(const StepStrings& step, std::u16string& text, const ExpansionContext& context) {
    std::u16string replacement = step.b;
    ExpandTemplate(replacement, text, context);
    ReplaceAll(text, step.a, replacement);
}

// Replaces what lies between each A and the next B after it with C; A and B stay. The search
// goes on one unit after the A just used, so an empty A or B still makes progress.
void RangeReplace(const StepStrings& step, std::u16string& text, const ExpansionContext& context) {
    std::u16string replacement = step.c;
    ExpandTemplate(replacement, text, context);
    std::size_t searchStart = 0;
    for (int pass = 0; pass < kMaxRangePasses; ++pass) {
        const std::size_t opening = text.find(step.a, searchStart);
        if (opening == std::u16string::npos) {
            return;
        }
        const std::size_t restStart = opening + step.a.size();
        const std::size_t closing = text.find(step.b, restStart);
        if (closing == std::u16string::npos) {
            return;
        }
        text.replace(restStart, closing - restStart, replacement);
        searchStart = opening + 1;
    }
}

} // namespace

bool ApplyConversion(const ItemContent& item, std::u16string& text,
                     const ConversionContext& context) {
    const int count = StepCount(item);
    for (int index = 0; index < count; ++index) {
        const ConversionStep step = StepAt(item, index);
        const StepStrings strings = SplitStepText(step.text);
        switch (static_cast<StepKind>(step.kind)) {
        case StepKind::SimpleReplace:
            SimpleReplace(strings, text, context.expansion);
            break;
        case StepKind::RegexReplace: {
            const RegexStatus status = context.regex.SubstituteText(text, strings.a, strings.b);
            if (status != RegexStatus::kDone) {
                context.messages.Show(std::u16string(RegexFailureMessage(status)));
                return false;
            }
            break;
        }
        case StepKind::RangeReplace:
            RangeReplace(strings, text, context.expansion);
            break;
        }
    }
    return true;
}

} // namespace kvtx
