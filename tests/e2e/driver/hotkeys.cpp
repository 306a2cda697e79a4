#include "tests/e2e/driver/hotkeys.h"

namespace kvtx::e2e {
namespace {

int NextId() {
    static int id = 0x100;
    return ++id;
}

} // namespace

HeldHotkey::HeldHotkey(UINT modifiers, UINT key)
    : id_(NextId()), held_(::RegisterHotKey(nullptr, id_, modifiers, key) != 0) {
    if (!held_) {
        error_ = ::GetLastError();
    }
}

HeldHotkey::~HeldHotkey() {
    if (held_) {
        ::UnregisterHotKey(nullptr, id_);
    }
}

bool HotkeyTakenElsewhere(UINT modifiers, UINT key) {
    const HeldHotkey probe(modifiers, key);
    return !probe.Held() && probe.Error() == ERROR_HOTKEY_ALREADY_REGISTERED;
}

} // namespace kvtx::e2e
