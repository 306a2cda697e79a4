// The step controls of a text-conversion item. Steps change the current item's content in
// memory; the next commit writes the category.

#include "editor/editor_dialog.h"
#include "editor/editor_texts.h"
#include "store/item_content.h"
#include "store/step_description.h"
#include "store/step_text.h"

#include <algorithm>

namespace kvtx::editor {
namespace {

constexpr int kRegex = static_cast<int>(StepKind::RegexReplace);

// Only a malformed expression is a syntax error; a limit met on the probe text is not.
StepMark MarkFor(RegexStatus status) {
    switch (status) {
    case RegexStatus::kMalformed:
        return StepMark::kSyntaxError;
    case RegexStatus::kLibraryMissing:
        return StepMark::kLibraryMissing;
    default:
        return StepMark::kNone;
    }
}

bool IsStepKind(int kind) {
    return kind >= static_cast<int>(StepKind::SimpleReplace) &&
           kind <= static_cast<int>(StepKind::RangeReplace);
}

} // namespace

void EditorDialog::RefreshStepList() {
    controls_.steps.Clear();
    if (itemSelection_ < 0 || itemSelection_ >= store_.ItemCount()) {
        return;
    }
    const ItemContent& content = store_.Loaded().contents[itemSelection_];
    for (int t = 0; t < StepCount(content); ++t) {
        const ConversionStep step = StepAt(content, t);
        StepMark mark = StepMark::kNone;
        if (step.kind == kRegex && services_.regexSyntaxOk) {
            const StepStrings strings = SplitStepText(step.text);
            mark = MarkFor(services_.regexSyntaxOk(strings.a, strings.b));
        }
        controls_.steps.Add(DescribeStep(step, t + 1, mark));
    }
}

void EditorDialog::EnableStepStrings() {
    controls_.a.SetEnabled(!readOnly_);
    controls_.b.SetEnabled(!readOnly_);
    // C is also open for a kind the combo does not know, so that nothing on screen is locked.
    controls_.c.SetEnabled(!readOnly_ &&
                           stepKindSelection_ != static_cast<int>(StepKind::SimpleReplace) &&
                           stepKindSelection_ != kRegex);
}

std::optional<ConversionStep> EditorDialog::BuildStepText() {
    // A step is built only for a kind the combo offers; a step of an unknown kind, once
    // selected, leaves the combo empty and must be given a kind before it is stored.
    if (!IsStepKind(stepKindSelection_)) {
        return std::nullopt;
    }
    const auto step = PackStep(static_cast<std::uint16_t>(stepKindSelection_), {a_, b_, c_});
    if (!step) {
        services_.messages.Show(texts::kStepTooLong);
    }
    return step;
}

void EditorDialog::AddStep() {
    TakeFromControls();
    ItemContent* content = CurrentContent();
    if (!content) {
        return;
    }
    const int count = StepCount(*content);
    if (count >= kMaxSteps) {
        services_.messages.Show(texts::kNoMoreSteps);
        return;
    }
    const auto step = BuildStepText();
    if (!step) {
        return;
    }
    SetStepAt(*content, count, *step);
    SetStepCount(*content, count + 1);
    stepSelection_ = count;
    RefreshStepList();
    ShowInControls();
    pendingChange_ = true;
}

void EditorDialog::ChangeStep() {
    TakeFromControls();
    ItemContent* content = CurrentContent();
    if (!content || stepSelection_ < 0 || stepSelection_ >= StepCount(*content)) {
        return;
    }
    const auto step = BuildStepText();
    if (!step) {
        return;
    }
    SetStepAt(*content, stepSelection_, *step);
    RefreshStepList();
    ShowInControls();
    pendingChange_ = true;
}

void EditorDialog::DeleteStep() {
    TakeFromControls();
    ItemContent* content = CurrentContent();
    if (!content) {
        return;
    }
    const int count = StepCount(*content);
    const int selected = stepSelection_;
    if (selected < 0 || selected >= count) {
        return;
    }
    for (int t = selected; t + 1 < count; ++t) {
        SetStepAt(*content, t, StepAt(*content, t + 1));
    }
    SetStepCount(*content, count - 1);
    stepSelection_ = std::min(selected, count - 2);
    RefreshStepList();
    ShowInControls();
    pendingChange_ = true;
    ShowStep();
}

void EditorDialog::MoveStep(int from, int to) {
    ItemContent& content = *CurrentContent();
    const ConversionStep moving = StepAt(content, from);
    SetStepAt(content, from, StepAt(content, to));
    SetStepAt(content, to, moving);
    stepSelection_ = to;
    RefreshStepList();
    ShowInControls();
    pendingChange_ = true;
    ShowStep();
}

void EditorDialog::MoveStepUp() {
    TakeFromControls();
    const ItemContent* content = CurrentContent();
    if (!content || stepSelection_ < 1 || stepSelection_ >= StepCount(*content)) {
        return;
    }
    MoveStep(stepSelection_, stepSelection_ - 1);
}

void EditorDialog::MoveStepDown() {
    TakeFromControls();
    const ItemContent* content = CurrentContent();
    if (!content || stepSelection_ < 0 || stepSelection_ >= StepCount(*content) - 1) {
        return;
    }
    MoveStep(stepSelection_, stepSelection_ + 1);
}

void EditorDialog::ApplyStepKind() {
    TakeFromControls();
    EnableStepStrings();
}

void EditorDialog::ShowStep() {
    TakeFromControls();
    if (stepSelection_ < 0 || itemSelection_ < 0 || itemSelection_ >= store_.ItemCount()) {
        return;
    }
    const ItemContent& content = store_.Loaded().contents[itemSelection_];
    if (stepSelection_ >= StepCount(content)) {
        return;
    }
    const ConversionStep step = StepAt(content, stepSelection_);
    stepKindSelection_ = step.kind;
    if (IsStepKind(step.kind)) {
        const StepStrings strings = SplitStepText(step.text);
        a_ = strings.a;
        b_ = strings.b;
        c_ = StepStoresC(step.kind) ? strings.c : std::u16string();
    }
    EnableStepStrings();
    ShowInControls();
}

} // namespace kvtx::editor
