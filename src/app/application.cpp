#include "app/application.h"

#include <ole2.h>

#include "app/automation_registry.h"
#include "app/command_line.h"
#include "controls/win32/dialog_dressing.h"
#include "res/resource.h"
#include "ui/win32/win32_dialog_host.h"

namespace tarvek::app {
namespace {

// OleUninitialize for a successful OleInitialize.
class OleSession {
  public:
    OleSession() : m_bReady(SUCCEEDED(OleInitialize(nullptr))) {}
    ~OleSession() {
        if (m_bReady) {
            OleUninitialize();
        }
    }
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;
    bool Ready() const { return m_bReady; }

  private:
    bool m_bReady;
};

// The main window for as long as the dialog runs; afterwards a proxy that still lives no
// longer points at it.
class MainWindowScope {
  public:
    MainWindowScope(AutomationServer& server, MainDialog& dialog)
        : m_server(server), m_dialog(dialog) {
        m_server.SetMainDialog(&m_dialog);
    }
    ~MainWindowScope() {
        m_server.SetMainDialog(nullptr);
        if (m_dialog.m_pAutoProxy != nullptr) {
            m_dialog.m_pAutoProxy->m_pDialog = nullptr;
        }
    }
    MainWindowScope(const MainWindowScope&) = delete;
    MainWindowScope& operator=(const MainWindowScope&) = delete;

  private:
    AutomationServer& m_server;
    MainDialog& m_dialog;
};

void ShowOleFailure() {
    wchar_t* text = nullptr;
    const int length = LoadStringW(GetModuleHandleW(nullptr), IDP_OLE_INIT_FAILED,
                                   reinterpret_cast<LPWSTR>(&text), 0);
    const std::wstring message =
        length > 0 ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
    MessageBoxW(nullptr, message.c_str(), ui::win32::ProgramTitle().c_str(),
                MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace

CTarvekApp::CTarvekApp(ProcessObjects& objects, AutomationServer& server,
                       std::vector<std::wstring> arguments)
    : m_objects(objects), m_server(server), m_arguments(std::move(arguments)) {}

BOOL CTarvekApp::InitInstance() {
    const OleSession ole;
    if (!ole.Ready()) {
        ShowOleFailure();
        return FALSE;
    }

    if (ParseStartMode(m_arguments) != StartMode::StandAlone) {
        m_server.RegisterRunning();
    } else {
        WriteAutomationRegistry(ProgramPath());
    }

    MainDialogServices services = m_objects.Services();
    MainDialog dialog(services);
    {
        const MainWindowScope mainWindow(m_server, dialog);
        ui::win32::RunModalDialog(dialog, nullptr, nullptr, &controls::MakeDialogDressing);
    }
    return FALSE;
}

}  // namespace tarvek::app
