// The program's shell under Wine: how the command line names the start mode, and the
// automation object a client gets (no members; while it lives the main dialog hides instead of
// closing, and letting it go ends a hidden dialog).
#include <gtest/gtest.h>

#include <windows.h>

#include <ole2.h>

#include "app/automation_ids.h"
#include "app/automation_server.h"
#include "app/command_line.h"
#include "app/process_objects.h"
#include "ui/win32/win32_dialog_host.h"
#include "win32/support/window_driver.h"

namespace tarvek::app {
namespace {

TEST(StartMode, OptionsAfterDashOrSlashInAnyCaseEmbeddingFirst) {
    const std::pair<std::vector<std::wstring>, StartMode> cases[] = {
        {{}, StartMode::StandAlone},
        {{L"/embedding"}, StartMode::Embedding},
        {{L"-AUTOMATION"}, StartMode::Automation},
        {{L"/Automation", L"-Embedding"}, StartMode::Embedding},
        {{L"Automation", L"-Embed", L"-Automations", L"-"}, StartMode::StandAlone},
    };
    for (const auto& [arguments, mode] : cases) {
        EXPECT_EQ(ParseStartMode(arguments), mode) << arguments.size();
    }
}

TEST(AutomationServer, AClientKeepsTheDialogHiddenUntilItLetsGo) {
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    {
        ProcessObjects objects;
        AutomationServer server;
        MainDialogServices services = objects.Services();
        MainDialog dialog(services);
        server.SetMainDialog(&dialog);
        ASSERT_TRUE(server.RegisterRunning());
        bool hidden[3] = {};
        const int result = ui::win32::RunModalDialog(dialog, nullptr, [&](HWND w) {
            IDispatch* object = nullptr;
            ASSERT_EQ(CoCreateInstance(kTarvekClassId, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch,
                                       reinterpret_cast<void**>(&object)),
                      S_OK);
            IUnknown* same = nullptr;
            EXPECT_EQ(object->QueryInterface(kTarvekDispatchId, reinterpret_cast<void**>(&same)),
                      S_OK);
            same->Release();
            DISPPARAMS none{};
            EXPECT_EQ(
                object->Invoke(1, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr),
                DISP_E_MEMBERNOTFOUND);
            // Exit, the close request and Escape each hide the dialog.
            const UINT messages[] = {WM_COMMAND, WM_CLOSE, WM_COMMAND};
            const WPARAM commands[] = {IDOK, 0, IDCANCEL};
            for (int i = 0; i < 3; ++i) {
                ShowWindow(w, SW_SHOW);
                SendMessageW(w, messages[i], commands[i], 0);
                hidden[i] = IsWindow(w) && !IsWindowVisible(w);
            }
            object->Release();  // the dialog is hidden: it ends now
        });
        EXPECT_EQ(result, IDCANCEL);
        EXPECT_TRUE(hidden[0] && hidden[1] && hidden[2]);
        EXPECT_EQ(dialog.m_pAutoProxy, nullptr);
        EXPECT_EQ(server.Locks(), 0);
        server.SetMainDialog(nullptr);
    }
    OleUninitialize();
}

}  // namespace
}  // namespace tarvek::app
