#pragma once

namespace kvtx::app::win32 {

// The process: one instance per logon session, the profile's place, and the resident dialog
// run modally for the life of the process.
class PhraseApp {
public:
    // Ends when the program exits, or at once when another instance runs. Always false: there
    // is no message loop of the application's own to enter afterwards.
    bool InitInstance();
};

} // namespace kvtx::app::win32
