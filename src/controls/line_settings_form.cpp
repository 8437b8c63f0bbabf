#include "controls/line_settings_form.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "controls/dressing.h"
#include "printer/printer_domain.h"
#include "texts/port_texts.h"
#include "texts/printer_texts.h"

namespace tarvek::controls {
namespace {

// The Port list's entry that means USB.
constexpr int kUsbPortIndex = 9;

struct ListFill {
    int LineSettingsForm::*id;
    std::vector<const char*> items;
    int selected;
};

// The printer's values of a line field as its list shows them; the baud rates fastest first.
std::vector<const char*> Labels(LineField field) {
    std::vector<const char*> labels;
    for (const PrinterValue& value : Field(field).values) {
        labels.push_back(value.label);
    }
    if (field == LineField::Baud) {
        std::reverse(labels.begin(), labels.end());
    }
    return labels;
}

// Where a line field's list shows the first-choice line's value.
int FirstChoice(LineField field) {
    const ValueTable& values = Field(field).values;
    const int at = static_cast<int>(ValueOf(field, kFirstChoiceLine) - values.begin());
    return field == LineField::Baud ? values.size() - 1 - at : at;
}

// The Port list, then the five line lists in the order of the line's fields.
const std::vector<ListFill>& Lists() {
    static const std::vector<ListFill> lists{
        {&LineSettingsForm::portId,
         {"COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8", "COM9", "USB"},
         0},
        {&LineSettingsForm::baudRateId, Labels(LineField::Baud), FirstChoice(LineField::Baud)},
        {&LineSettingsForm::parityId, Labels(LineField::Parity), FirstChoice(LineField::Parity)},
        {&LineSettingsForm::dataBitsId, Labels(LineField::DataBits),
         FirstChoice(LineField::DataBits)},
        {&LineSettingsForm::stopBitsId, Labels(LineField::StopBits),
         FirstChoice(LineField::StopBits)},
        {&LineSettingsForm::flowId, Labels(LineField::Flow), FirstChoice(LineField::Flow)},
    };
    return lists;
}

void CheckDataBitsParity(const LineSettingsForm& form, ui::DialogHost& host, int changedId) {
    SerialLineSettings chosen{};
    chosen.dataBitsIndex = host.GetListSelection(form.dataBitsId);
    chosen.parityIndex = host.GetListSelection(form.parityId);
    if (IsLineThePrinterTakes(chosen)) {
        return;
    }
    host.ShowMessage(texts::kDataBitsParity.text.english, texts::kDataBitsParity.caption.english,
                     ui::kMbOk);
    host.SelectListItem(changedId, 1);
}

}  // namespace

void LineSettingsForm::FillLists(ui::DialogHost& host) const {
    for (const ListFill& list : Lists()) {
        const int id = this->*list.id;
        host.ResetList(id);
        for (const char* item : list.items) {
            host.AddListItem(id, item);
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
    const std::vector<ListFill>& lists = Lists();
    std::vector<int> selection(lists.size());
    const auto require = [&](std::size_t list) {
        const int id = this->*lists[list].id;
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
    for (std::size_t list = 1; list < lists.size(); ++list) {
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
