// CTarvekDlg on the real dialog from template 102, read back and driven through Win32: the
// fresh-start state, an open port on a scripted printer, a failure's message box, and the
// Information dialog of Save Power Save Mode.
#include <gtest/gtest.h>

#include <windows.h>

#include "ui/win32/win32_dialog_host.h"
#include "unit/maindlg/main_dialog_fixture.h"
#include "win32/ui/support/dialog_driver.h"

namespace tarvek::testing {
namespace {

using namespace tarvek::win32test;

// Fake links and a scripted printer, as in the recording-host tests, with a real window.
struct RealDialog : FakeDialogServices {
    int Run(const std::function<void(HWND)>& whileShown) {
        return ui::win32::RunModalDialog(dlg, nullptr, whileShown);
    }
    // The enabled state of every control of the state table, read through Win32.
    static EnabledMap EnabledOf(HWND dialog) {
        EnabledMap map;
        for (const StateRow& row : MainDialogStateTable()) {
            map[row.controlId] = IsItemEnabled(dialog, row.controlId);
        }
        return map;
    }
    static EnabledMap Column(StateColumn column, int emulation) {
        EnabledMap map;
        for (const StateRow& row : MainDialogStateTable()) {
            map[row.controlId] =
                CellEffect(row.cells[static_cast<int>(column)], emulation, false) == 1;
        }
        return map;
    }

    CTarvekDlg dlg{services};
};

TEST(MainDialogWindow, FreshStartReadBackThroughWin32) {
    RealDialog r;
    EnabledMap enabled;
    std::string port, baud, parity, dataBits, stopBits, flow, title;
    int codePageItems = -1;
    const int result = r.Run([&](HWND dialog) {
        enabled = RealDialog::EnabledOf(dialog);
        port = ItemText(dialog, IDC_PORT);
        baud = ItemText(dialog, IDC_BAUDRATE);
        parity = ItemText(dialog, IDC_PARITY);
        dataBits = ItemText(dialog, IDC_DATABITS);
        stopBits = ItemText(dialog, IDC_STOPBITS);
        flow = ItemText(dialog, IDC_FLOW);
        title = TextOf(dialog);
        codePageItems = static_cast<int>(ComboItems(dialog, IDC_CODE_PAGE).size());
        EXPECT_EQ(ComboItems(dialog, IDC_PORT).size(), 10u);
        EXPECT_EQ(ComboSelection(dialog, IDC_BAUDRATE), 3);
        EXPECT_TRUE(SaveWindowImage(dialog, OutputPath("win32_maindlg_fresh.bmp")));
        Click(dialog, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(enabled, RealDialog::Column(StateColumn::Initial, kEmulationEscPos));
    EXPECT_EQ(port, "COM1");
    EXPECT_EQ(baud, "19200");
    EXPECT_EQ(parity, "NONE");
    EXPECT_EQ(dataBits, "8");
    EXPECT_EQ(stopBits, "1");
    EXPECT_EQ(flow, "DTR/DSR");
    EXPECT_EQ(codePageItems, 0);
    if (GetACP() != 949) {
        EXPECT_EQ(title, "Veltrin Mobile Label Printer Utiltiy 1.40");
    }
}

TEST(MainDialogWindow, OpenPortAndBluetoothOnAnEscPosPrinter) {
    RealDialog r;
    EnabledMap open;
    std::string address, pin;
    std::vector<std::string> codePages;
    bool exitDisabled = false;
    r.Run([&](HWND dialog) {
        Click(dialog, IDC_OPEN_PORT);
        open = RealDialog::EnabledOf(dialog);
        codePages = ComboItems(dialog, IDC_CODE_PAGE);
        Click(dialog, IDC_GET_BLUETOOTH);
        address = ItemText(dialog, IDC_BT_ADDRESS);
        pin = ItemText(dialog, IDC_PIN_CODE);
        EXPECT_TRUE(IsItemChecked(dialog, IDC_DISCOVERABLE_ON));
        EXPECT_TRUE(SaveWindowImage(dialog, OutputPath("win32_maindlg_port_open.bmp")));
        exitDisabled = !IsItemEnabled(dialog, IDOK);
        Click(dialog, IDC_CLOSE_PORT);
        Click(dialog, IDOK);
    });
    EnabledMap expected = RealDialog::Column(StateColumn::PortOpen, kEmulationEscPos);
    expected[IDC_POWER_MINUTES] = false;  // left as it was
    expected[IDC_FLOW] = true;
    EXPECT_EQ(open, expected);
    ASSERT_EQ(codePages.size(), 24u);
    EXPECT_EQ(codePages[17], "MOZOVIA");
    EXPECT_EQ(address, "00:19:01:2A:3B:4C");
    EXPECT_EQ(pin, "?");
    EXPECT_TRUE(exitDisabled);
    EXPECT_FALSE(r.serial.IsOpen());
}

TEST(MainDialogWindow, SilentPrinterShowsItsMessageBox) {
    RealDialog r;
    r.printer.emulationAnswer.clear();
    std::string text, caption;
    bool closeEnabled = true;
    r.Run([&](HWND dialog) {
        {
            ModalWatcher watcher([&](HWND box) {
                text = MessageBoxText(box);
                caption = TextOf(box);
                Press(box, IDOK);
            });
            Click(dialog, IDC_OPEN_PORT);
        }
        closeEnabled = IsItemEnabled(dialog, IDC_CLOSE_PORT);
        Click(dialog, IDOK);
    });
    if (GetACP() != 949) {
        EXPECT_EQ(text, "No Response in printer");
        EXPECT_EQ(caption, "Error");
    }
    EXPECT_FALSE(closeEnabled);
    EXPECT_EQ(r.serial.EmptyReads(), 201);
}

TEST(MainDialogWindow, PowerSaveConfirmsThenClosesThePort) {
    RealDialog r;
    std::string info;
    bool openEnabled = false;
    r.Run([&](HWND dialog) {
        Click(dialog, IDC_OPEN_PORT);
        SelectByUser(dialog, IDC_POWER_SAVE, 2);
        EXPECT_TRUE(IsItemEnabled(dialog, IDC_POWER_MINUTES));
        TypeInto(dialog, IDC_POWER_MINUTES, "30");
        {
            ModalWatcher watcher([&](HWND child) {
                info = ItemText(child, IDC_INFO_TEXT);
                Click(child, IDOK);
            });
            Click(dialog, IDC_SAVE_POWER_SAVE);
        }
        openEnabled = IsItemEnabled(dialog, IDC_OPEN_PORT);
        Click(dialog, IDOK);
    });
    if (GetACP() != 949) {
        EXPECT_EQ(info, "The printer goes into power save mode after 30 minute.");
    }
    EXPECT_EQ(r.serial.Writes().back().bytes, (Bytes{0x1D, 0x53, 0x50, 0x02, 0x1E}));
    EXPECT_TRUE(openEnabled);
    EXPECT_FALSE(r.serial.IsOpen());
}

// Run by the ctest entry with LANG=ko_KR.UTF-8, where the ANSI code page is 949.
TEST(MainDialogWindow, KoreanCaptionsOnCodePage949) {
    if (GetACP() != 949) {
        GTEST_SKIP() << "ANSI code page " << GetACP();
    }
    RealDialog r;
    std::string title, open, exitText, minute, on, group, noResponse;
    r.printer.emulationAnswer.clear();
    r.Run([&](HWND dialog) {
        title = TextOf(dialog);
        open = ItemText(dialog, IDC_OPEN_PORT);
        exitText = ItemText(dialog, IDOK);
        minute = ItemText(dialog, IDC_LABEL_MINUTE);
        on = ItemText(dialog, IDC_DISCOVERABLE_ON);
        group = ItemText(dialog, IDC_GROUP_DISCOVERABLE);
        EXPECT_TRUE(SaveWindowImage(dialog, OutputPath("win32_maindlg_korean.bmp")));
        {
            ModalWatcher watcher([&](HWND box) {
                noResponse = MessageBoxText(box) + " | " + TextOf(box);
                Press(box, IDOK);
            });
            Click(dialog, IDC_OPEN_PORT);
        }
        Click(dialog, IDOK);
    });
    EXPECT_EQ(title, "Veltrin 라벨 프린터 설정 유틸리티 1.40");
    EXPECT_EQ(open, "포트 열기");
    EXPECT_EQ(exitText, "프로그램 종료");
    EXPECT_EQ(minute, "분");
    EXPECT_EQ(group, "검색 모드 정보");
    EXPECT_EQ(on, "ON");
    EXPECT_EQ(noResponse, "프린터 응답이 없습니다. !!! | 에러");
}

}  // namespace
}  // namespace tarvek::testing
