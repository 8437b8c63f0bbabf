// The class factory and the proxy object against the real main dialog: an attached client keeps
// the dialog from closing (it hides), and letting go ends a hidden dialog.
#include <gtest/gtest.h>

#include <windows.h>

#include <ole2.h>

#include "app/automation_ids.h"
#include "app/automation_server.h"
#include "app/process_objects.h"
#include "res/resource.h"
#include "ui/win32/win32_dialog_host.h"
#include "win32/ui/support/dialog_driver.h"

namespace tarvek::app {
namespace {

using namespace tarvek::win32test;
using ui::win32::RunModalDialog;

class OleForTest {
  public:
    OleForTest() { OleInitialize(nullptr); }
    ~OleForTest() { OleUninitialize(); }
};

// A client's object, as CreateObject gets it: through the registered class factory.
IDispatch* CreateClientObject() {
    IClassFactory* factory = nullptr;
    if (FAILED(CoGetClassObject(kTarvekClassId, CLSCTX_LOCAL_SERVER, nullptr, IID_IClassFactory,
                                reinterpret_cast<void**>(&factory)))) {
        return nullptr;
    }
    IDispatch* object = nullptr;
    factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&object));
    factory->Release();
    return object;
}

class AutomationTest : public ::testing::Test {
  protected:
    OleForTest m_ole;
    ProcessObjects m_objects;
    AutomationServer m_server;
    DialogServices m_services = m_objects.Services();
    MainDialog m_dialog{m_services};

    void SetUp() override {
        m_server.SetMainDialog(&m_dialog);
        ASSERT_TRUE(m_server.RegisterRunning());
    }
    void TearDown() override { m_server.SetMainDialog(nullptr); }
};

TEST_F(AutomationTest, ObjectHasOnlyItsDispatchInterfaceAndNoMembers) {
    RunModalDialog(m_dialog, nullptr, [&](HWND dialog) {
        IDispatch* object = CreateClientObject();
        EXPECT_NE(object, nullptr);
        if (object != nullptr) {
            IUnknown* same = nullptr;
            EXPECT_EQ(object->QueryInterface(kTarvekDispatchId, reinterpret_cast<void**>(&same)),
                      S_OK);
            if (same != nullptr) {
                same->Release();
            }
            IUnknown* other = nullptr;
            EXPECT_EQ(object->QueryInterface(IID_IClassFactory, reinterpret_cast<void**>(&other)),
                      E_NOINTERFACE);
            UINT count = 7;
            EXPECT_EQ(object->GetTypeInfoCount(&count), S_OK);
            EXPECT_EQ(count, 0u);
            wchar_t name[] = L"Visible";
            LPOLESTR names[] = {name};
            DISPID id = 0;
            EXPECT_EQ(object->GetIDsOfNames(IID_NULL, names, 1, 0, &id), DISP_E_UNKNOWNNAME);
            EXPECT_EQ(id, DISPID_UNKNOWN);
            DISPPARAMS none{};
            EXPECT_EQ(
                object->Invoke(1, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr),
                DISP_E_MEMBERNOTFOUND);
            object->Release();
        }
        Click(dialog, IDOK);
    });
}

TEST_F(AutomationTest, AttachedClientHidesInsteadOfClosingAndLettingGoEndsTheHiddenDialog) {
    bool attached = false, hiddenByExit = false, hiddenByClose = false, stillThere = false;
    int locksWhileAttached = 0;
    const int result = RunModalDialog(m_dialog, nullptr, [&](HWND dialog) {
        IDispatch* object = CreateClientObject();
        attached = object != nullptr && m_dialog.m_pAutoProxy != nullptr;
        locksWhileAttached = m_server.Locks();
        Click(dialog, IDOK);
        hiddenByExit = IsWindow(dialog) && !IsWindowVisible(dialog);
        ShowWindow(dialog, SW_SHOW);
        SendMessageW(dialog, WM_CLOSE, 0, 0);
        hiddenByClose = IsWindow(dialog) && !IsWindowVisible(dialog);
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        stillThere = IsWindow(dialog);
        if (object != nullptr) {
            object->Release();  // the dialog is hidden: it ends now
        } else {
            EndDialog(dialog, -2);
        }
    });
    EXPECT_TRUE(attached);
    EXPECT_EQ(locksWhileAttached, 1);
    EXPECT_TRUE(hiddenByExit);
    EXPECT_TRUE(hiddenByClose);
    EXPECT_TRUE(stillThere);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(m_dialog.m_pAutoProxy, nullptr);
    EXPECT_EQ(m_server.Locks(), 0);
}

TEST_F(AutomationTest, AfterTheClientLetGoExitEndsTheDialog) {
    bool visibleAfterRelease = false;
    const int result = RunModalDialog(m_dialog, nullptr, [&](HWND dialog) {
        IDispatch* object = CreateClientObject();
        if (object != nullptr) {
            object->Release();
        }
        visibleAfterRelease = IsWindow(dialog) && IsWindowVisible(dialog);
        EXPECT_EQ(m_dialog.m_pAutoProxy, nullptr);
        Click(dialog, IDOK);
    });
    EXPECT_TRUE(visibleAfterRelease);
    EXPECT_EQ(result, IDOK);
}

TEST_F(AutomationTest, ServerLockKeepsTheProgramLikeAnObject) {
    IClassFactory* factory = nullptr;
    ASSERT_EQ(CoGetClassObject(kTarvekClassId, CLSCTX_LOCAL_SERVER, nullptr, IID_IClassFactory,
                               reinterpret_cast<void**>(&factory)),
              S_OK);
    factory->LockServer(TRUE);
    EXPECT_EQ(m_server.Locks(), 1);
    factory->LockServer(FALSE);
    EXPECT_EQ(m_server.Locks(), 0);
    IUnknown* outer = factory;
    IUnknown* aggregated = nullptr;
    EXPECT_EQ(factory->CreateInstance(outer, IID_IUnknown, reinterpret_cast<void**>(&aggregated)),
              CLASS_E_NOAGGREGATION);
    EXPECT_EQ(aggregated, nullptr);
    factory->Release();
}

}  // namespace
}  // namespace tarvek::app
