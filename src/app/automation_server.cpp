#include "app/automation_server.h"

#include <memory>

#include "app/automation_ids.h"
#include "ui/win32/win32_dialog_host.h"

namespace tarvek {

CTarvekDlgAutoProxy::CTarvekDlgAutoProxy(app::AutomationServer& server) : m_server(server) {
    m_server.Lock();
    m_pDialog = m_server.MainDialogWindow();
    if (m_pDialog != nullptr) {
        m_pDialog->m_pAutoProxy = this;
    }
}

CTarvekDlgAutoProxy::~CTarvekDlgAutoProxy() {
    if (m_pDialog != nullptr) {
        m_pDialog->m_pAutoProxy = nullptr;
    }
    m_server.Unlock();
}

HRESULT STDMETHODCALLTYPE CTarvekDlgAutoProxy::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
        IsEqualIID(iid, app::kTarvekDispatchId)) {
        *object = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE CTarvekDlgAutoProxy::AddRef() {
    return ++m_nReferences;
}

ULONG STDMETHODCALLTYPE CTarvekDlgAutoProxy::Release() {
    const ULONG left = --m_nReferences;
    if (left == 0) {
        // The factory handed ownership to the reference count.
        std::unique_ptr<CTarvekDlgAutoProxy> last(this);
    }
    return left;
}

HRESULT STDMETHODCALLTYPE CTarvekDlgAutoProxy::GetTypeInfoCount(UINT* count) {
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CTarvekDlgAutoProxy::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info != nullptr) {
        *info = nullptr;
    }
    return DISP_E_BADINDEX;
}

HRESULT STDMETHODCALLTYPE CTarvekDlgAutoProxy::GetIDsOfNames(REFIID, LPOLESTR*, UINT count, LCID,
                                                             DISPID* ids) {
    for (UINT i = 0; ids != nullptr && i < count; ++i) {
        ids[i] = DISPID_UNKNOWN;
    }
    return DISP_E_UNKNOWNNAME;
}

HRESULT STDMETHODCALLTYPE CTarvekDlgAutoProxy::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*,
                                                      VARIANT*, EXCEPINFO*, UINT*) {
    return DISP_E_MEMBERNOTFOUND;
}

namespace app {

AutomationServer::AutomationServer() : m_factory(*this) {}

AutomationServer::~AutomationServer() {
    if (m_dwCookie != 0) {
        CoRevokeClassObject(m_dwCookie);
    }
}

bool AutomationServer::RegisterRunning() {
    if (m_dwCookie != 0) {
        return true;
    }
    return SUCCEEDED(CoRegisterClassObject(kTarvekClassId, &m_factory, CLSCTX_LOCAL_SERVER,
                                           REGCLS_SINGLEUSE, &m_dwCookie));
}

void AutomationServer::Unlock() {
    if (m_nLocks > 0 && --m_nLocks == 0) {
        OnReleaseAllObjects();
    }
}

void AutomationServer::OnReleaseAllObjects() {
    if (m_pMainDialog == nullptr || !m_pMainDialog->HasHost()) {
        return;
    }
    const auto* host = dynamic_cast<const ui::win32::Win32DialogHost*>(&m_pMainDialog->Host());
    if (host != nullptr && !IsWindowVisible(host->Window())) {
        m_pMainDialog->Host().EndDialog(ui::kIdCancel);
    }
}

HRESULT STDMETHODCALLTYPE AutomationServer::Factory::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
        *object = static_cast<IClassFactory*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE AutomationServer::Factory::CreateInstance(IUnknown* outer, REFIID iid,
                                                                    void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    *object = nullptr;
    if (outer != nullptr) {
        return CLASS_E_NOAGGREGATION;
    }
    auto proxy = std::make_unique<CTarvekDlgAutoProxy>(m_server);
    const HRESULT result = proxy->QueryInterface(iid, object);
    // The reference count owns the object from here; the creation reference goes, so a
    // refused interface deletes it at once.
    proxy.release()->Release();
    return result;
}

HRESULT STDMETHODCALLTYPE AutomationServer::Factory::LockServer(BOOL lock) {
    if (lock) {
        m_server.Lock();
    } else {
        m_server.Unlock();
    }
    return S_OK;
}

}  // namespace app
}  // namespace tarvek
