#include "support/recording_host.h"

namespace tarvek::ui {

namespace {
const ControlState kUntouched{};
}

void RecordingHost::Start(DialogLogic& logic) {
    m_pLogic = &logic;
    logic.AttachHost(this);
    logic.UpdateData(false);
    logic.OnInitDialog();
}

const ControlState& RecordingHost::Control(int id) const {
    const auto it = m_controls.find(id);
    return it == m_controls.end() ? kUntouched : it->second;
}

void RecordingHost::Click(int id) {
    if (!Control(id).enabled || m_pLogic == nullptr) {
        return;
    }
    if (id == kIdOk) {
        m_pLogic->OnOK();
    } else if (id == kIdCancel) {
        m_pLogic->OnCancel();
    } else {
        m_pLogic->OnCommand(id, kNotifyClicked);
    }
}

void RecordingHost::SelectByUser(int id, int index) {
    if (!Control(id).enabled || m_pLogic == nullptr) {
        return;
    }
    SelectListItem(id, index);
    m_pLogic->OnCommand(id, kNotifySelChange);
}

void RecordingHost::TypeInto(int id, const std::string& text) {
    if (!Control(id).enabled || m_pLogic == nullptr) {
        return;
    }
    ControlState& control = m_controls[id];
    control.text = text;
    if (control.textLimit > 0 && static_cast<int>(control.text.size()) > control.textLimit) {
        control.text.resize(static_cast<size_t>(control.textLimit));
    }
    m_pLogic->OnCommand(id, kNotifyEditChange);
}

void RecordingHost::TypeComboText(int id, const std::string& text) {
    if (!Control(id).enabled) {
        return;
    }
    ControlState& control = m_controls[id];
    control.text = text;
    control.selection = -1;
}

void RecordingHost::PressEscape() {
    if (m_pLogic != nullptr) {
        m_pLogic->OnCancel();
    }
}

void RecordingHost::CloseByUser() {
    if (m_pLogic != nullptr) {
        m_pLogic->OnClose();
    }
}

void RecordingHost::ResetList(int id) {
    ControlState& control = m_controls[id];
    control.items.clear();
    control.selection = -1;
    control.text.clear();
}

void RecordingHost::AddListItem(int id, const std::string& utf8) {
    m_controls[id].items.push_back(utf8);
}

void RecordingHost::SelectListItem(int id, int index) {
    ControlState& control = m_controls[id];
    // As CB_SETCURSEL: an index outside the list clears the selection.
    if (index < 0 || index >= static_cast<int>(control.items.size())) {
        control.selection = -1;
        control.text.clear();
        return;
    }
    control.selection = index;
    control.text = control.items[static_cast<size_t>(index)];
}

std::string RecordingHost::GetListItemText(int id, int index) const {
    const ControlState& control = Control(id);
    if (index < 0 || index >= static_cast<int>(control.items.size())) {
        return std::string();
    }
    return control.items[static_cast<size_t>(index)];
}

void RecordingHost::CheckRadioButton(int firstId, int lastId, int checkId) {
    for (int id = firstId; id <= lastId; ++id) {
        m_controls[id].checked = (id == checkId);
    }
}

void RecordingHost::SetProgressRange(int id, int low, int high) {
    ControlState& control = m_controls[id];
    control.progressLow = low;
    control.progressHigh = high;
}

int RecordingHost::ShowMessage(const std::string& textUtf8, const std::string& captionUtf8,
                               unsigned flags) {
    m_messages.push_back({textUtf8, captionUtf8, flags});
    return kIdOk;
}

int RecordingHost::RunModal(DialogLogic& child) {
    if (m_childRunner) {
        return m_childRunner(child);
    }
    RecordingHost childHost(m_nCodePage);
    childHost.m_strings = m_strings;
    childHost.Start(child);
    int result = kIdOk;
    if (!m_childResults.empty()) {
        result = m_childResults.front();
        m_childResults.pop_front();
    }
    m_children.push_back({child.TemplateId(), childHost.m_strTitle, childHost.m_controls, result});
    child.AttachHost(nullptr);
    return result;
}

void RecordingHost::EndDialog(int result) {
    m_bEnded = true;
    m_nEndResult = result;
}

std::string RecordingHost::LoadResourceString(int id) const {
    const auto it = m_strings.find(id);
    return it == m_strings.end() ? std::string() : it->second;
}

void RecordingHost::AppendSystemMenuItem(int commandId, const std::string& utf8) {
    m_menu.emplace_back(commandId, utf8);
}

}  // namespace tarvek::ui
