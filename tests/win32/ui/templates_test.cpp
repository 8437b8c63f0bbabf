// The templates as the program shows them: captions, styles and rectangles (dialog units).
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "res/resource.h"
#include "ui/win32/win32_dialog_host.h"
#include "win32/ui/probe_logic.h"
#include "win32/ui/support/dialog_driver.h"

namespace tarvek::win32test {
namespace {

using ui::win32::RunModalDialog;

struct ControlLayout {
    int id;
    const char* caption;      // nullptr: not checked (edits, lists)
    int x, y, width, height;  // height 0: a combo box (its drop-down height is not a window's)
};

constexpr ControlLayout kMainDialog[] = {
    {IDOK, "Exit", 151, 347, 159, 41},
    {IDC_GROUP_CONNECTION, "Printer Connnection Settings", 16, 15, 131, 166},
    {IDC_PORT, nullptr, 69, 30, 57, 0},
    {IDC_BAUDRATE, nullptr, 69, 46, 57, 0},
    {IDC_PARITY, nullptr, 69, 78, 57, 0},
    {IDC_DATABITS, nullptr, 69, 62, 57, 0},
    {IDC_STOPBITS, nullptr, 69, 94, 57, 0},
    {IDC_OPEN_PORT, "Open Port", 21, 126, 59, 23},
    {IDC_SAVE_SERIAL, "Save Serial Port Configuration", 21, 152, 121, 23},
    {IDC_GET_EMULATION, "Get Emulation", 21, 201, 72, 23},
    {IDC_GROUP_EMULATION, "Emulation Settings", 16, 187, 131, 71},
    {IDC_EMULATION, "", 96, 204, 43, 18},
    {IDC_SET_CPCL, "Set CPCL", 21, 229, 59, 23},
    {IDC_SET_ESCPOS, "Set ESC/POS", 83, 229, 59, 23},
    {IDC_CLOSE_PORT, "Close Port", 83, 126, 59, 23},
    {IDC_GROUP_BLUETOOTH, "Bluetooth Settings", 151, 15, 158, 243},
    {IDC_GET_BLUETOOTH, "Get Bluetooth Information", 156, 30, 148, 23},
    {IDC_LABEL_BT_ADDRESS, "BT Address : ", 157, 70, 55, 8},
    {IDC_LABEL_PIN_CODE, "PIN Code : ", 165, 115, 47, 8},
    {IDC_BT_ADDRESS, "", 215, 67, 76, 14},
    {IDC_PIN_CODE, "", 215, 112, 76, 14},
    {IDC_DISCOVERABLE_ON, "ON", 187, 195, 31, 13},
    {IDC_DISCOVERABLE_OFF, "OFF", 251, 195, 31, 13},
    {IDC_GROUP_PIN, "PIN Code Information", 157, 90, 147, 80},
    {IDC_SAVE_PIN, "Save Bluetooth PIN Code", 171, 136, 122, 23},
    {IDC_GROUP_DISCOVERABLE, "Discoverable Mode Information", 157, 179, 147, 68},
    {IDC_SAVE_DISCOVERABLE, "Save Discoverable Mode", 171, 215, 122, 23},
    {IDC_GROUP_WIFI, "Wi-Fi Settings", 16, 343, 131, 46},
    {IDC_START_WIFI, "Start Wi-Fi Settings", 24, 357, 115, 23},
    {IDC_GROUP_POWER_SAVE, "Power Save Mode", 16, 263, 293, 35},
    {IDC_SAVE_POWER_SAVE, "Save Power Save Mode", 189, 271, 115, 23},
    {IDC_POWER_SAVE, nullptr, 24, 277, 86, 0},
    {IDC_POWER_MINUTES, "", 118, 277, 28, 14},
    {IDC_LABEL_MINUTE, "Minute", 150, 280, 24, 8},
    {IDC_FLOW, nullptr, 69, 110, 57, 0},
    {IDC_GROUP_CODE_PAGE, "Code Page Setting", 16, 303, 293, 35},
    {IDC_SAVE_CODE_PAGE, "Save Code Page", 140, 311, 81, 23},
    {IDC_CODE_PAGE, nullptr, 72, 316, 65, 0},
    {IDC_LABEL_CODE_PAGE, "Code Page : ", 24, 319, 47, 8},
    {IDC_PRINT_CODE_PAGE, "Print Code Page", 224, 311, 81, 23},
};

constexpr ControlLayout kInfoDialog[] = {
    {IDOK, "OK", 56, 40, 77, 24},
    {IDC_INFO_TEXT, "Static", 16, 13, 155, 20},
};

constexpr ControlLayout kAboutDialog[] = {
    {IDC_ABOUT_VERSION, "Tarvek Version 1.0", 40, 10, 119, 8},
    {IDC_ABOUT_COPYRIGHT, nullptr, 40, 25, 119, 8},
    {IDOK, "OK", 178, 7, 50, 14},
};

constexpr ControlLayout kWifiDialog[] = {
    {IDC_GROUP_PORT_AND_WIFI, "Port and Wi-Fi Information", 16, 10, 299, 398},
    {IDC_GROUP_PORT_INFO, "Port Information", 23, 19, 287, 68},
    {IDC_WIFI_PORT, nullptr, 84, 33, 58, 0},
    {IDC_WIFI_FLOW, nullptr, 198, 65, 58, 0},
    {IDC_WIFI_MAC, "", 101, 106, 69, 12},
    {IDC_WIFI_IP, nullptr, 101, 134, 69, 11},
    {IDC_WIFI_DNS, nullptr, 101, 173, 69, 11},
    {IDC_KEY_ID, nullptr, 243, 233, 60, 0},
    {IDC_WIFI_PROGRESS, nullptr, 69, 250, 233, 10},
    {IDC_KEY4, "", 69, 313, 182, 13},
    {IDC_KEY3_FORMAT, nullptr, 254, 297, 48, 0},
    {IDC_LABEL_WIFI_AUTH, "Wi-Fi Authentication : ", 26, 236, 72, 8},
    {IDC_LABEL_WPA_HINT, "WPA Key is characters of 8 ~ 32 length.", 79, 377, 212, 13},
    {IDC_WPA_KEY, "", 79, 361, 212, 12},
    {IDC_WIFI_OPEN_PORT, "Open Port", 176, 119, 63, 24},
    {IDC_WIFI_CLOSE_PORT, "Close Port", 241, 119, 61, 24},
    {IDC_WIFI_GET, "Get Wi-Fi Information", 177, 148, 125, 24},
    {IDC_WIFI_SAVE, "Save Wi-Fi Information", 177, 176, 125, 24},
    {IDOK, "Exit", 177, 204, 125, 24},
};

// Style bits of single controls: (style & mask) == value.
struct StyleBits {
    int id;
    LONG_PTR mask;
    LONG_PTR value;
};

constexpr StyleBits kMainDialogStyles[] = {
    {IDC_LABEL_MINUTE, SS_TYPEMASK, SS_LEFT},
    {IDC_EMULATION, ES_CENTER, ES_CENTER},
    {IDC_PIN_CODE, ES_CENTER, ES_CENTER},
    {IDC_POWER_MINUTES, ES_CENTER, ES_CENTER},
    {IDC_DISCOVERABLE_ON, BS_TYPEMASK, BS_AUTORADIOBUTTON},
    {IDC_DISCOVERABLE_OFF, BS_TYPEMASK, BS_AUTORADIOBUTTON},
    {IDOK, BS_TYPEMASK, BS_DEFPUSHBUTTON},
    {IDC_GROUP_PIN, BS_CENTER, BS_CENTER},
    {IDC_GROUP_DISCOVERABLE, BS_CENTER, BS_CENTER},
};

constexpr StyleBits kWifiDialogStyles[] = {
    {IDC_WIFI_MAC, WS_TABSTOP, 0},
    {IDC_WIFI_SSID, WS_TABSTOP, WS_TABSTOP},
    {IDC_WIFI_IP, WS_TABSTOP, WS_TABSTOP},
    {IDC_WIFI_SSID, ES_RIGHT, ES_RIGHT},
    {IDC_LABEL_WPA_HINT, SS_TYPEMASK, SS_CENTER},
    {IDC_LABEL_KEY1, SS_TYPEMASK, SS_RIGHT},
    {IDC_WIFI_OPEN_PORT, BS_TYPEMASK, BS_DEFPUSHBUTTON},
};

constexpr StyleBits kInfoDialogStyles[] = {
    {IDOK, BS_TYPEMASK, BS_DEFPUSHBUTTON},
    {IDC_INFO_TEXT, SS_TYPEMASK, SS_LEFT},
};

template <size_t N>
void ExpectStyles(HWND dialog, const StyleBits (&table)[N]) {
    for (const StyleBits& bits : table) {
        SCOPED_TRACE("style of " + std::to_string(bits.id));
        EXPECT_EQ(ItemStyle(dialog, bits.id) & bits.mask, bits.value);
    }
}

template <size_t N>
void ExpectLayout(HWND dialog, int templateId, const ControlLayout (&table)[N]) {
    const std::vector<TemplateItem> items = ReadTemplateItems(templateId);
    for (const ControlLayout& control : table) {
        SCOPED_TRACE("template item " + std::to_string(control.id));
        const auto item = std::find_if(items.begin(), items.end(),
                                       [&](const TemplateItem& i) { return i.id == control.id; });
        ASSERT_NE(item, items.end());
        EXPECT_EQ(item->x, control.x);
        EXPECT_EQ(item->y, control.y);
        EXPECT_EQ(item->width, control.width);
        if (control.height != 0) {
            EXPECT_EQ(item->height, control.height);
        }
    }
    for (const ControlLayout& control : table) {
        SCOPED_TRACE("control " + std::to_string(control.id));
        ASSERT_NE(Item(dialog, control.id), nullptr);
        if (control.caption != nullptr) {
            EXPECT_EQ(ItemText(dialog, control.id), control.caption);
        }
        // Pixels back to dialog units round by at most one unit.
        const RECT rect = ItemRectInDialogUnits(dialog, control.id);
        EXPECT_NEAR(rect.left, control.x, 1);
        EXPECT_NEAR(rect.top, control.y, 1);
        EXPECT_NEAR(rect.right, control.width, 1);
        if (control.height != 0) {
            EXPECT_NEAR(rect.bottom, control.height, 1);
        }
    }
}

// Runs an empty logic on a template and looks at the window.
void LookAt(int templateId, const std::function<void(HWND)>& look) {
    ProbeLogic logic(templateId);
    RunModalDialog(logic, nullptr, [&](HWND dialog) {
        look(dialog);
        PressKey(dialog, VK_ESCAPE);
    });
}

struct TemplateStyles {
    int count = 0;
    int unlabelledRight = 0;
    int unlabelled = 0;
    int combos = 0;
    int editableDropDowns = 0;
    int sorted = 0;

    bool operator==(const TemplateStyles& other) const {
        return count == other.count && unlabelledRight == other.unlabelledRight &&
               unlabelled == other.unlabelled && combos == other.combos &&
               editableDropDowns == other.editableDropDowns && sorted == other.sorted;
    }
};

void PrintTo(const TemplateStyles& s, std::ostream* out) {
    *out << "{controls " << s.count << ", unlabelled " << s.unlabelled << " (right-aligned "
         << s.unlabelledRight << "), combos " << s.combos << " (editable drop-downs "
         << s.editableDropDowns << ", sorted " << s.sorted << ")}";
}

TemplateStyles CountStyles(int templateId) {
    TemplateStyles styles;
    for (const TemplateItem& item : ReadTemplateItems(templateId)) {
        ++styles.count;
        if (item.className == L"ComboBox") {
            ++styles.combos;
            if ((item.style & 3) == CBS_DROPDOWN && (item.style & WS_VSCROLL) != 0) {
                ++styles.editableDropDowns;
            }
            if (item.style & CBS_SORT) {
                ++styles.sorted;
            }
        }
        if (item.className == L"Static" && item.id == -1) {
            ++styles.unlabelled;
            if ((item.style & SS_TYPEMASK) == SS_RIGHT) {
                ++styles.unlabelledRight;
            }
        }
    }
    return styles;
}

TEST(Templates, MainDialog) {
    LookAt(IDD_TARVEK_DIALOG, [](HWND dialog) {
        EXPECT_EQ(TextOf(dialog), "Veltrin Mobile Label Printer Utiltiy 1.40");
        const LONG_PTR style = GetWindowLongPtrW(dialog, GWL_STYLE);
        EXPECT_TRUE(style & WS_CAPTION);
        EXPECT_TRUE(style & WS_SYSMENU);
        EXPECT_TRUE(style & WS_POPUP);
        EXPECT_FALSE(style & WS_MINIMIZEBOX);
        EXPECT_TRUE(GetWindowLongPtrW(dialog, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
        RECT client{};
        GetClientRect(dialog, &client);
        RECT units{0, 0, 323, 403};
        MapDialogRect(dialog, &units);
        EXPECT_EQ(client.right, units.right);
        EXPECT_EQ(client.bottom, units.bottom);
        ExpectLayout(dialog, IDD_TARVEK_DIALOG, kMainDialog);

        // 46 controls; the six labels without an ID right-aligned; eight editable drop-downs.
        EXPECT_EQ(CountStyles(IDD_TARVEK_DIALOG), (TemplateStyles{46, 6, 6, 8, 8, 0}));
        ExpectStyles(dialog, kMainDialogStyles);
        EXPECT_FALSE(IsItemEnabled(dialog, IDC_EMULATION));
        EXPECT_FALSE(IsItemEnabled(dialog, IDC_BT_ADDRESS));
        EXPECT_TRUE(SaveWindowImage(dialog, OutputPath("win32_ui_template_102.bmp")));
    });
}

TEST(Templates, WifiDialog) {
    LookAt(IDD_WIFI_DIALOG, [](HWND dialog) {
        EXPECT_EQ(TextOf(dialog), "Wi-Fi Settings Dialog");
        const LONG_PTR style = GetWindowLongPtrW(dialog, GWL_STYLE);
        EXPECT_TRUE(style & WS_CAPTION);
        EXPECT_FALSE(style & WS_SYSMENU);
        ExpectLayout(dialog, IDD_WIFI_DIALOG, kWifiDialog);
        EXPECT_EQ(CountStyles(IDD_WIFI_DIALOG), (TemplateStyles{64, 12, 12, 17, 17, 0}));
        EXPECT_FALSE(IsItemEnabled(dialog, IDC_WIFI_MAC));
        ExpectStyles(dialog, kWifiDialogStyles);
        wchar_t className[32] = {};
        GetClassNameW(Item(dialog, IDC_WIFI_IP), className, 32);
        EXPECT_EQ(std::wstring(className), L"SysIPAddress32");
        GetClassNameW(Item(dialog, IDC_WIFI_PROGRESS), className, 32);
        EXPECT_EQ(std::wstring(className), L"msctls_progress32");
        EXPECT_TRUE(SaveWindowImage(dialog, OutputPath("win32_ui_template_103.bmp")));
    });
}

TEST(Templates, InformationDialog) {
    LookAt(IDD_INFO_DIALOG, [](HWND dialog) {
        EXPECT_EQ(TextOf(dialog), "Information");
        const LONG_PTR style = GetWindowLongPtrW(dialog, GWL_STYLE);
        EXPECT_TRUE(style & WS_CAPTION);
        EXPECT_FALSE(style & WS_SYSMENU);
        ExpectLayout(dialog, IDD_INFO_DIALOG, kInfoDialog);
        ExpectStyles(dialog, kInfoDialogStyles);
    });
}

TEST(Templates, AboutBox) {
    LookAt(IDD_ABOUTBOX, [](HWND dialog) {
        EXPECT_EQ(TextOf(dialog), "About Tarvek");
        EXPECT_TRUE(GetWindowLongPtrW(dialog, GWL_STYLE) & WS_SYSMENU);
        ExpectLayout(dialog, IDD_ABOUTBOX, kAboutDialog);
        EXPECT_NE(Item(dialog, IDC_ABOUT_ICON), nullptr);
    });
}

}  // namespace
}  // namespace tarvek::win32test
