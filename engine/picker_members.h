#pragma once

#include "engine/application_keys.h"
#include "store/phrase_store.h"

#include <string>
#include <vector>

namespace kvtx {

// The main window's picker as the capture and paste driver sees it: its members, their
// exchange with the controls, and the picker operations that fill them.
class PickerMembers {
public:
    virtual ~PickerMembers() = default;

    virtual void TakeFromControls() = 0;
    virtual void ShowInControls() = 0;

    virtual int Category() const = 0; // -1 for none
    virtual void SetCategory(int position) = 0;
    virtual int Item() const = 0; // -1 for none
    virtual void SetItem(int position) = 0;
    virtual std::u16string Preview() const = 0;
    virtual void SetPreview(const std::u16string& text) = 0;

    // Loads the category the combo shows as selected, afresh from its file.
    virtual void SelectCategory() = 0;
    // Fills the preview from the selected item.
    virtual void ShowPreview() = 0;
    // Puts the preview's whole text on the clipboard; an empty preview leaves it alone.
    virtual void CopyPreviewToClipboard() = 0;

    virtual const PhraseStore& Store() const = 0;
    // The copy and paste delay in milliseconds.
    virtual int TimeDelay() const = 0;
    // The user's clipboard is to be put back after each paste.
    virtual bool RestoresClipboard() const = 0;
    // The user's table of applications with keys of their own, as the profile holds it now.
    virtual std::vector<ApplicationEntry> ApplicationEntries() const = 0;
};

} // namespace kvtx
