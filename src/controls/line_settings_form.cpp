#include "controls/line_settings_form.h"

#include <cstdlib>
#include <iterator>

#include "controls/dressing.h"
#include "texts/port_texts.h"
#include "texts/printer_texts.h"

namespace tarvek::controls {
namespace {

// The Port list's entry that means USB.
constexpr int kUsbPortIndex = 9;

struct ListFill {
    int LineSettingsForm::*id;
    const char* const* items;
    int count;
    int selected;
};

constexpr const char* kPorts[] = {"COM1", "COM2", "COM3", "COM4", "COM5",
                                  "COM6", "COM7", "COM8", "COM9", "USB"};
constexpr const char* kBaudRates[] = {"115200", "57600", "38400", "19200", "9600"};
constexpr const char* kParities[] = {"NONE", "ODD", "EVEN"};
constexpr const char* kDataBits[] = {"7", "8"};
constexpr const char* kStopBits[] = {"1", "2"};
constexpr const char* kFlows[] = {"DTR/DSR", "Xon/Xoff"};

template <std::size_t N>
constexpr ListFill Fill(int LineSettingsForm::*id, const char* const (&items)[N], int selected) {
    return {id, items, static_cast<int>(N), selected};
}

constexpr ListFill kLists[] = {
    Fill(&LineSettingsForm::portId, kPorts, 0),
    Fill(&LineSettingsForm::baudRateId, kBaudRates, 3),
    Fill(&LineSettingsForm::parityId, kParities, 0),
    Fill(&LineSettingsForm::dataBitsId, kDataBits, 1),
    Fill(&LineSettingsForm::stopBitsId, kStopBits, 0),
    Fill(&LineSettingsForm::flowId, kFlows, 0),
};

void CheckDataBitsParity(const LineSettingsForm& form, ui::DialogHost& host, int changedId) {
    if (host.GetListSelection(form.dataBitsId) != 0 || host.GetListSelection(form.parityId) != 0) {
        return;
    }
    host.ShowMessage(texts::kDataBitsParity.text.english, texts::kDataBitsParity.caption.english,
                     ui::kMbOk);
    host.SelectListItem(changedId, 1);
}

}  // namespace

void LineSettingsForm::FillLists(ui::DialogHost& host) const {
    for (const ListFill& list : kLists) {
        const int id = this->*list.id;
        host.ResetList(id);
        for (int i = 0; i < list.count; ++i) {
            host.AddListItem(id, list.items[i]);
        }
        host.SelectListItem(id, list.selected);
    }
}

void LineSettingsForm::OnPortChange(ui::DialogHost& host) const {
    const bool usb = host.GetListSelection(portId) >= kUsbPortIndex;
    DressPortButtons(host, openButtonId, closeButtonId, usb);
    for (int id : {baudRateId, dataBitsId, parityId, stopBitsId, flowId}) {
        host.EnableControl(id, !usb);
    }
}

void LineSettingsForm::OnDataBitsChange(ui::DialogHost& host) const {
    CheckDataBitsParity(*this, host, dataBitsId);
}

void LineSettingsForm::OnParityChange(ui::DialogHost& host) const {
    CheckDataBitsParity(*this, host, parityId);
}

bool LineSettingsForm::ReadRequest(ui::DialogHost& host, int ansiCodePage,
                                   PortRequest& request) const {
    // Each list the open needs must hold one of its entries, in the lists' order.
    int selection[std::size(kLists)] = {};
    const auto require = [&](std::size_t list) {
        const int id = this->*kLists[list].id;
        selection[list] = host.GetListSelection(id);
        if (selection[list] >= 0 && selection[list] < host.GetListCount(id)) {
            return true;
        }
        const texts::LocalizedMessage& m = texts::kChooseFromListMessage;
        host.ShowMessage(m.text.For(ansiCodePage), m.caption.For(ansiCodePage), ui::kMbOk);
        return false;
    };
    if (!require(0)) {
        return false;
    }
    request.portName = host.GetListItemText(portId, selection[0]);
    request.kind = portKind(request.portName);
    if (request.kind != TransportKind::Serial && !readLineForUsb) {
        return true;
    }
    for (std::size_t list = 1; list < std::size(kLists); ++list) {
        if (!require(list)) {
            return false;
        }
    }
    request.line =
        SerialLineSettings{std::atoi(host.GetListItemText(baudRateId, selection[1]).c_str()),
                           selection[2], selection[3], selection[4], selection[5]};
    return true;
}

}  // namespace tarvek::controls
