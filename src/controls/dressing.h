// Which button of which dialog carries which icon, and how the group boxes are dressed. The
// dialogs call these during their initialisation and when the Port list changes; the host
// turns each request into an icon push button or an owner-drawn group box.
#pragma once

#include <cstdint>

#include "ui/dialog_host.h"

namespace tarvek::controls {

// The group boxes' caption colour (0x00BBGGRR: red 16, green 140, blue 231).
inline constexpr std::uint32_t kCaptionColor = 0xE78C10;

void DressMainDialog(ui::DialogHost& host);
void DressWifiDialog(ui::DialogHost& host);
void DressInfoDialog(ui::DialogHost& host);

// A dialog's two port buttons show USB icons while "USB" is the selected port, COM icons
// otherwise.
void DressPortButtons(ui::DialogHost& host, int openId, int closeId, bool usbSelected);

}  // namespace tarvek::controls
