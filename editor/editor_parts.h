#pragma once

// What the editor's logic is given: the controls of its dialog and the services it talks to.
// The Win32 binding passes the dialog's own controls; tests pass fakes.

#include "engine/prompts.h"
#include "engine/regex_status.h"
#include "platform/file_system.h"
#include "platform/message_box.h"
#include "platform/ui/controls.h"

#include <array>
#include <functional>
#include <string>

namespace kvtx::editor {

struct EditorControls {
    ui::ListControl& category; // category combo box
    ui::TextControl& text;     // template text box
    ui::ListControl& items;    // item list
    ui::ListControl& kind;     // item kind combo box
    ui::ListControl& steps;    // step list
    ui::ListControl& stepKind; // step kind combo box
    ui::TextControl& a;
    ui::TextControl& b;
    ui::TextControl& c;
    // Shown and hidden with the step list; never read.
    ui::Control& labelA;
    ui::Control& labelB;
    ui::Control& labelC;
    ui::Control& addStep;
    ui::Control& changeStep;
    ui::Control& deleteStep;
    ui::Control& stepUp;
    ui::Control& stepDown;
    // The category and item buttons, only ever disabled, in a folder that may only be read.
    ui::Control& addCategory;
    ui::Control& renameCategory;
    ui::Control& deleteCategory;
    ui::Control& categoryUp;
    ui::Control& categoryDown;
    ui::Control& addItem;
    ui::Control& renameItem;
    ui::Control& deleteItem;
    ui::Control& itemUp;
    ui::Control& itemDown;

    // Everything that changes the store; the lists stay, to look through.
    std::array<ui::Control*, 21> EditingControls() const {
        return {&text,
                &kind,
                &stepKind,
                &a,
                &b,
                &c,
                &addStep,
                &changeStep,
                &deleteStep,
                &stepUp,
                &stepDown,
                &addCategory,
                &renameCategory,
                &deleteCategory,
                &categoryUp,
                &categoryDown,
                &addItem,
                &renameItem,
                &deleteItem,
                &itemUp,
                &itemDown};
    }

    // The thirteen controls shown only for a text-conversion item.
    std::array<ui::Control*, 13> StepControls() const {
        return {&steps,  &stepKind, &a,          &b,          &c,      &labelA,  &labelB,
                &labelC, &addStep,  &changeStep, &deleteStep, &stepUp, &stepDown};
    }
};

// The library's syntax check of a regular-expression step's pattern and replacement.
using RegexSyntaxCheck =
    std::function<RegexStatus(const std::u16string& pattern, const std::u16string& replacement)>;

struct EditorServices {
    platform::FileSystem& files;
    platform::MessageBox& messages;
    NamePrompt& names;
    RegexSyntaxCheck regexSyntaxOk;
};

} // namespace kvtx::editor
