#pragma once

#include "engine/application_keys.h"
#include "platform/message_box.h"
#include "platform/profile.h"
#include "platform/ui/controls.h"

#include <string>
#include <vector>

namespace kvtx::settings {

struct ApplicationKeysControls {
    ui::ListControl& entries;
    ui::TextControl& name;
    ui::TextControl& value;
};

// "アプリケーションごとのキー", opened from the settings dialog: the table of applications with
// keys of their own. The list shows the user's entries, a malformed one marked "【無効】" (the
// built-in entry or the usual keys then apply), and after them the built-in entries that no entry
// of the user's overrides, marked "【既定】". An entry chosen in the list fills the name and value
// boxes; "設定" writes the boxes' entry to the profile at once, "削除" removes the user's entry of
// that name. It opens with the name of the application that was in front before, the one a user
// wants to give keys.
class ApplicationKeysDialog {
public:
    static constexpr char16_t kSection[] = u"apps";

    ApplicationKeysDialog(const ApplicationKeysControls& controls, platform::Profile& profile,
                          platform::MessageBox& messages);

    void OnInitDialog(const std::u16string& frontApplication);
    void OnEntrySelected();
    void OnSet();
    void OnDelete();

    // One line of the list for an entry.
    static std::u16string Line(const ApplicationEntry& entry, bool builtIn);

private:
    void Fill(const std::u16string& chosenName);

    ApplicationKeysControls controls_;
    platform::Profile& profile_;
    platform::MessageBox& messages_;
    // The entries the list shows, line by line.
    std::vector<ApplicationEntry> shown_;
};

} // namespace kvtx::settings
