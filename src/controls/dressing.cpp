#include "controls/dressing.h"

#include "res/resource.h"

namespace tarvek::controls {
namespace {

struct ButtonIcon {
    int buttonId;
    int iconId;
};

struct GroupBoxLook {
    int boxId;
    ui::CaptionAlign align;
};

constexpr ButtonIcon kMainButtons[] = {
    {IDC_OPEN_PORT, IDI_OPEN_PORT},
    {IDC_CLOSE_PORT, IDI_CLOSE_PORT},
    {IDC_GET_BLUETOOTH, IDI_GET_BLUETOOTH},
    {IDC_SAVE_SERIAL, IDI_SAVE},
    {IDC_GET_EMULATION, IDI_GET_EMULATION},
    {IDC_SAVE_PIN, IDI_SAVE},
    {IDC_SAVE_DISCOVERABLE, IDI_SAVE},
    {IDC_SET_CPCL, IDI_SET_CPCL},
    {IDC_SET_ESCPOS, IDI_SET_ESCPOS},
    {IDC_START_WIFI, IDI_WIFI},
    {IDOK, IDI_EXIT},
    {IDC_SAVE_POWER_SAVE, IDI_POWER_SAVE},
    {IDC_SAVE_CODE_PAGE, IDI_SAVE},
    {IDC_PRINT_CODE_PAGE, IDI_PRINT_CODE_PAGE},
};

constexpr GroupBoxLook kMainGroupBoxes[] = {
    {IDC_GROUP_CONNECTION, ui::CaptionAlign::Left},
    {IDC_GROUP_EMULATION, ui::CaptionAlign::Left},
    {IDC_GROUP_BLUETOOTH, ui::CaptionAlign::Left},
    {IDC_GROUP_PIN, ui::CaptionAlign::Center},
    {IDC_GROUP_DISCOVERABLE, ui::CaptionAlign::Center},
    {IDC_GROUP_WIFI, ui::CaptionAlign::Left},
    {IDC_GROUP_POWER_SAVE, ui::CaptionAlign::Left},
    {IDC_GROUP_CODE_PAGE, ui::CaptionAlign::Left},
};

constexpr ButtonIcon kWifiButtons[] = {
    {IDC_WIFI_OPEN_PORT, IDI_OPEN_PORT},
    {IDC_WIFI_CLOSE_PORT, IDI_CLOSE_PORT},
    {IDC_WIFI_GET, IDI_WIFI},
    {IDC_WIFI_SAVE, IDI_SAVE},
    {IDOK, IDI_EXIT},
};

constexpr GroupBoxLook kWifiGroupBoxes[] = {
    {IDC_GROUP_PORT_AND_WIFI, ui::CaptionAlign::Left},
    {IDC_GROUP_PORT_INFO, ui::CaptionAlign::Center},
    {IDC_GROUP_WIFI_INFO, ui::CaptionAlign::Center},
    {IDC_GROUP_WPA, ui::CaptionAlign::Center},
};

template <std::size_t N>
void DressButtons(ui::DialogHost& host, const ButtonIcon (&buttons)[N]) {
    for (const ButtonIcon& b : buttons) {
        host.DressButton(b.buttonId, b.iconId);
    }
}

template <std::size_t N>
void DressGroupBoxes(ui::DialogHost& host, const GroupBoxLook (&boxes)[N]) {
    for (const GroupBoxLook& g : boxes) {
        host.DressGroupBox(g.boxId, kCaptionColor, true, g.align);
    }
}

}  // namespace

void DressMainDialog(ui::DialogHost& host) {
    DressButtons(host, kMainButtons);
    DressGroupBoxes(host, kMainGroupBoxes);
}

void DressWifiDialog(ui::DialogHost& host) {
    DressButtons(host, kWifiButtons);
    DressGroupBoxes(host, kWifiGroupBoxes);
}

void DressInfoDialog(ui::DialogHost& host) {
    host.DressButton(IDOK, IDI_INFO_OK);
}

void DressPortButtons(ui::DialogHost& host, int openId, int closeId, bool usbSelected) {
    host.DressButton(openId, usbSelected ? IDI_USB_OPEN_PORT : IDI_OPEN_PORT);
    host.DressButton(closeId, usbSelected ? IDI_USB_CLOSE_PORT : IDI_CLOSE_PORT);
}

}  // namespace tarvek::controls
