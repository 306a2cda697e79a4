#include "app/win32/phrase_app.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    kvtx::app::win32::PhraseApp app;
    app.InitInstance();
    return 0;
}
