#pragma once

#include "platform/win32/ui/dialog.h"
#include "res/resource_ids.h"

namespace kvtx::app::win32 {

// The about box; its OK button closes it.
class AboutDialog final : public kvtx::win32::ui::Dialog {
public:
    AboutDialog() : Dialog(IDD_ABOUTBOX) {}
};

} // namespace kvtx::app::win32
