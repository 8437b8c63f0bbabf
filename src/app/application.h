// The application object: start-up in its fixed order, then the main dialog, modally.
//
// InitInstance:
//  1. Initialise OLE; on failure show string 100 and end.
//  2. (ActiveX containment and the 3-D look need nothing on this platform.)
//  3. "Embedding" or "Automation" on the command line: register the class factory as running.
//     Otherwise rewrite the automation registry entries (a failure is ignored).
//  4. Run the main dialog (template 102, no owner) as the application's main window; it is
//     shown in both cases of step 3.
//  5. Whatever the dialog returns, end: InitInstance answers false and the process ends.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "app/automation_server.h"
#include "app/process_objects.h"

namespace tarvek::app {

class CTarvekApp {
  public:
    CTarvekApp(ProcessObjects& objects, AutomationServer& server,
               std::vector<std::wstring> arguments);

    BOOL InitInstance();

  private:
    ProcessObjects& m_objects;
    AutomationServer& m_server;
    std::vector<std::wstring> m_arguments;
};

}  // namespace tarvek::app
