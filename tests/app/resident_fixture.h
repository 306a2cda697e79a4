#pragma once

// A ResidentDialog over fakes: controls with the real controls' rules, an in-memory store, a
// profile, hotkeys that refuse taken combinations, a tray icon, timers, and a window that
// records what was done to it.

#include "app/resident_dialog.h"
#include "tests/e2e/korvatex/sample_store.h"
#include "tests/fakes/fake_controls.h"
#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/fake_foreground.h"
#include "tests/fakes/fake_hotkeys.h"
#include "tests/fakes/fake_message_box.h"
#include "tests/fakes/fake_profile.h"
#include "tests/fakes/fake_screen.h"
#include "tests/fakes/fake_timers.h"
#include "tests/fakes/fake_tray_icon.h"

#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kvtx::testing {

// Every profile value, in the order the program reads and writes them.
inline const std::vector<std::u16string> kProfileValuesInOrder = {
    u"hotkey",   u"hotctrl",   u"hotalt",     u"hotshift",   u"hotkeynum", u"mhotkey",
    u"mhotctrl", u"mhotalt",   u"mhotshift",  u"mhotkeynum", u"shotkey",   u"shotctrl",
    u"shotalt",  u"shotshift", u"shotkeynum", u"timedelay",  u"fhotkey",   u"fhotctrl",
    u"fhotalt",  u"fhotshift", u"fhotkeynum", u"restoreclip"};

class FakeResidentWindow final : public app::ResidentWindow {
public:
    void PrepareResidentWindow() override { ++prepared; }
    void ShowMinimized() override {
        visible = true;
        minimized = true;
    }
    void Hide() override { visible = false; }
    platform::ScreenSize PickerSize() const override { return {508, 297}; }
    void ShowPickerAt(int left, int top) override {
        visible = true;
        minimized = false;
        position = {left, top};
    }
    void TrackTrayMenu() override { ++trayMenus; }
    void CopyPreview(int length) override { copied.push_back(length); }
    // The dialog manager's WM_CLOSE: the close handler, then IDCANCEL.
    void Close() override {
        ++closes;
        if (dialog != nullptr) {
            dialog->OnClose();
            dialog->OnCancel();
        }
    }
    void EndDialog(int result) override { ended = result; }

    app::ResidentDialog* dialog = nullptr;
    int prepared = 0;
    bool visible = false;
    bool minimized = false;
    std::optional<platform::ScreenPoint> position;
    int trayMenus = 0;
    std::vector<int> copied;
    int closes = 0;
    std::optional<int> ended;
};

class ResidentFixture : public ::testing::Test {
protected:
    static constexpr char16_t kFolder[] = u"C:\\Phrases\\";

    void PutStore(const std::vector<e2e::StoreCategory>& store) {
        for (const auto& [name, bytes] : e2e::StoreFiles(store)) {
            files.Put(std::u16string(kFolder) + name, bytes);
        }
    }

    app::ResidentDialog& Dialog() {
        if (!dialog_) {
            dialog_ = std::make_unique<app::ResidentDialog>(
                window, app::PickerControls{copy, items, preview, categories},
                app::ResidentServices{
                    files, profile, hotkeys, tray, timers, screen, foreground, messages,
                    [this](unsigned milliseconds) { sleeps.push_back(milliseconds); }},
                kFolder);
            window.dialog = dialog_.get();
        }
        return *dialog_;
    }

    // Creation and initialisation, as the window does them.
    app::ResidentDialog& Started() {
        app::ResidentDialog& dialog = Dialog();
        if (dialog.OnCreate()) {
            dialog.OnInitDialog();
        }
        return dialog;
    }

    FakeResidentWindow window;
    FakeControlBase<ui::Control> copy;
    FakeList items = FakeList::ListBox();
    FakeText preview;
    FakeList categories = FakeList::ComboBox();
    FakeFileSystem files;
    FakeProfile profile;
    FakeHotkeys hotkeys;
    FakeTrayIcon tray;
    FakeTimers timers;
    FakeScreen screen;
    FakeForeground foreground;
    FakeMessageBox messages;
    std::vector<unsigned> sleeps;

private:
    std::unique_ptr<app::ResidentDialog> dialog_;
};

} // namespace kvtx::testing
