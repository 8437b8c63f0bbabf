// The port and line settings that both dialogs carry: the six lists with their entries and
// first choices, the Port rule (choosing "USB" turns the five line lists off and gives the port
// buttons their USB icons), the data-bits/parity rule, and reading the selected port and line
// settings when a port is opened. The dialogs differ only in their control IDs and in how the
// port text names the link, which they hand in as data.
#pragma once

#include <string>

#include "link/channel_open.h"
#include "ui/dialog_host.h"

namespace tarvek::controls {

// The link a port text names; None for a text that names neither.
using PortKindRule = TransportKind (*)(const std::string& portText);

struct LineSettingsForm {
    int portId, baudRateId, parityId, dataBitsId, stopBitsId, flowId;
    int openButtonId, closeButtonId;
    PortKindRule portKind;
    // Whether the five line lists are read for a USB port too (their values then play no part,
    // but a typed text in one of them is still refused).
    bool readLineForUsb;

    // The six lists in their item order, each at its first choice.
    void FillLists(ui::DialogHost& host) const;
    // The Port rule.
    void OnPortChange(ui::DialogHost& host) const;
    // Data bits "7" with parity "NONE" is refused with a message (always English); the list just
    // changed moves to its second entry ("8" or "ODD").
    void OnDataBitsChange(ui::DialogHost& host) const;
    void OnParityChange(ui::DialogHost& host) const;
    // The selected port and line settings; false, after the choose-from-list message in the
    // dialog's language, when a list it needs holds a typed text that matches no entry.
    bool ReadRequest(ui::DialogHost& host, int ansiCodePage, PortRequest& request) const;
};

}  // namespace tarvek::controls
