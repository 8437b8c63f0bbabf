// The automation server "Tarvek.Application": one class factory, and the proxy object it makes
// for each client. The proxy has no methods or properties; while it lives the program stays up
// and the main dialog hides instead of closing (CTarvekDlg::CanExit).
#pragma once

#include <windows.h>

#include <oaidl.h>

#include "app/main_dialog.h"

namespace tarvek {
namespace app {
class AutomationServer;
}

// The object a client holds. Made by the class factory; it deletes itself with its last
// reference.
class CTarvekDlgAutoProxy final : public IDispatch {
  public:
    explicit CTarvekDlgAutoProxy(app::AutomationServer& server);
    ~CTarvekDlgAutoProxy();
    CTarvekDlgAutoProxy(const CTarvekDlgAutoProxy&) = delete;
    CTarvekDlgAutoProxy& operator=(const CTarvekDlgAutoProxy&) = delete;

    // The main dialog this proxy belongs to; null once the dialog is gone.
    app::MainDialog* m_pDialog = nullptr;

    // IUnknown: IUnknown, IDispatch and the interface {FC3ED639-...}.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IDispatch: no type information, no names, no members.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID iid, LCID locale, WORD flags,
                                     DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argumentError) override;

  private:
    app::AutomationServer& m_server;
    ULONG m_nReferences = 1;
};

namespace app {

class AutomationServer {
  public:
    AutomationServer();
    // Revokes the running registration.
    ~AutomationServer();
    AutomationServer(const AutomationServer&) = delete;
    AutomationServer& operator=(const AutomationServer&) = delete;

    // Makes the class factory known to COM as running; each client request is served by its
    // own instance of the program (single use).
    bool RegisterRunning();
    bool IsRegistered() const { return m_dwCookie != 0; }

    // The application's main window while it runs (null otherwise).
    void SetMainDialog(MainDialog* dialog) { m_pMainDialog = dialog; }
    MainDialog* MainDialogWindow() const { return m_pMainDialog; }

    // The application lock: objects and LockServer keep the program running.
    void Lock() { ++m_nLocks; }
    // When the last lock goes while the main dialog is hidden (the user asked to close it while
    // a client held it), the dialog ends now: nothing could show it again.
    void Unlock();
    int Locks() const { return m_nLocks; }

  private:
    class Factory final : public IClassFactory {
      public:
        explicit Factory(AutomationServer& server) : m_server(server) {}
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
        ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
        ULONG STDMETHODCALLTYPE Release() override { return 1; }
        HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid,
                                                 void** object) override;
        HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

      private:
        AutomationServer& m_server;
    };

    void OnReleaseAllObjects();

    Factory m_factory;
    DWORD m_dwCookie = 0;
    MainDialog* m_pMainDialog = nullptr;
    int m_nLocks = 0;
};

}  // namespace app
}  // namespace tarvek
