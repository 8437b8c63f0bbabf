// The program's entry: the process-wide objects first, then the application.
#include <windows.h>

#include <commctrl.h>

#include "app/application.h"
#include "app/command_line.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // Before the application starts: the progress bar class of the Wi-Fi dialog.
    INITCOMMONCONTROLSEX classes{};
    classes.dwSize = sizeof(classes);
    classes.dwICC = ICC_PROGRESS_CLASS;
    InitCommonControlsEx(&classes);

    tarvek::app::AutomationServer server;
    tarvek::app::ProcessObjects objects;
    tarvek::app::CTarvekApp application(objects, server, tarvek::app::ProgramArguments());
    application.InitInstance();
    return 0;
}
