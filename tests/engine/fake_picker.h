#pragma once

#include "engine/picker_members.h"
#include "platform/ui/data_exchange.h"
#include "store/item_content.h"
#include "store/labels.h"
#include "tests/fakes/fake_clipboard.h"
#include "tests/fakes/fake_controls.h"
#include "tests/fakes/fake_message_box.h"

namespace kvtx::testing {

// The picker of the main window reduced to what the driver touches, over fake controls with
// the real controls' selection rules and the real store.
class FakePicker final : public PickerMembers {
public:
    FakePicker(platform::FileSystem& files, const std::u16string& directory,
               FakeClipboard& clipboard)
        : store(files, directory), clipboard_(clipboard) {
        exchange.Selection(combo, category);
        exchange.Text(preview, previewText);
        exchange.Selection(list, item);
        store.LoadIndex();
        for (int c = 0; c < store.CategoryCount(); ++c) {
            combo.Add(ListLabel(CategoryLetter(c), store.CategoryName(c)));
        }
    }

    void TakeFromControls() override { exchange.TakeFromControls(); }
    void ShowInControls() override { exchange.ShowInControls(); }
    int Category() const override { return category; }
    void SetCategory(int position) override { category = position; }
    int Item() const override { return item; }
    void SetItem(int position) override { item = position; }
    std::u16string Preview() const override { return previewText; }
    void SetPreview(const std::u16string& text) override { previewText = text; }

    void SelectCategory() override {
        TakeFromControls();
        if (!store.LoadCategory(category)) {
            return;
        }
        ++categoryLoads;
        list.Clear();
        for (int i = 0; i < store.ItemCount(); ++i) {
            list.Add(ListLabel(ItemLetter(i), store.ItemName(i)));
        }
        item = 0;
        previewText.clear();
        ShowInControls();
        ShowPreview();
    }
    void ShowPreview() override {
        TakeFromControls();
        previewText.clear();
        if (item >= 0 && item < store.ItemCount()) {
            const auto kind = store.Loaded().header.items[item].kind;
            previewText = kind == static_cast<std::int32_t>(ItemKind::TextInsertion)
                              ? ContentText(store.Loaded().contents[item])
                              : u"1: steps";
        }
        ShowInControls();
    }
    void CopyPreviewToClipboard() override {
        if (!preview.Text().empty()) {
            clipboard_.Set(preview.Text());
            ++copies;
        }
    }
    const PhraseStore& Store() const override { return store; }
    int TimeDelay() const override { return timeDelay; }
    bool RestoresClipboard() const override { return restoreClipboard; }
    std::vector<ApplicationEntry> ApplicationEntries() const override { return applications; }

    PhraseStore store;
    FakeMessageBox messages;
    ui::DataExchange exchange{messages};
    FakeList combo = FakeList::ComboBox();
    FakeList list = FakeList::ListBox();
    FakeText preview;
    int category = -1;
    int item = -1;
    std::u16string previewText;
    int timeDelay = 150;
    bool restoreClipboard = false;
    std::vector<ApplicationEntry> applications;
    int copies = 0;
    int categoryLoads = 0;

private:
    FakeClipboard& clipboard_;
};

} // namespace kvtx::testing
