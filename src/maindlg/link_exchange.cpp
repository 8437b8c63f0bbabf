// The pieces every printer operation of the main dialog shares: the active link, one polled
// answer, the emulation query and the dialog's error messages.
#include <cstring>

#include "maindlg/main_texts.h"
#include "maindlg/tarvek_dlg.h"
#include "texts/common_texts.h"

namespace tarvek {
namespace {

// A silent printer: this many empty reads, each followed by a pause, then one more read.
constexpr int kMaxEmptyReads = 200;
constexpr std::uint32_t kPollPauseMs = 10;
constexpr int kAnswerCapacity = 256;

}  // namespace

PrinterLink& CTarvekDlg::ActiveLink() const {
    const ChannelSet& channels = m_services.mainChannels;
    if (channels.kind == TransportKind::Usb) {
        return channels.usb;
    }
    return channels.serial;
}

void CTarvekDlg::CloseActiveLink() {
    ActiveLink().Close();
    m_bLinkOpen = false;
}

void CTarvekDlg::Send(const Bytes& bytes) {
    if (!bytes.empty()) {
        ActiveLink().Write(bytes);
    }
}

int CTarvekDlg::ReadAnswer(std::uint8_t* buffer, int capacity) {
    PrinterLink& link = ActiveLink();
    int emptyReads = 0;
    for (;;) {
        const int count = link.Read(buffer, capacity);
        if (count > 0) {
            return count;
        }
        ++emptyReads;
        if (emptyReads > kMaxEmptyReads) {
            return 0;
        }
        m_services.clock.Sleep(kPollPauseMs);
    }
}

int CTarvekDlg::QueryEmulation() {
    std::uint8_t answer[kAnswerCapacity];
    std::memset(answer, 0, sizeof answer);
    Send(BuildEmulationQuery());
    const int count = ReadAnswer(answer, kAnswerCapacity);
    if (count == 0) {
        return -1;
    }
    const int emulation = ParseEmulationAnswer(answer, count);
    if (emulation == kNotAnEmulationCode) {
        return -2;
    }
    m_nEmulation = emulation;
    return 0;
}

void CTarvekDlg::ShowQueryFailure(int result) {
    ShowError(result == -2 ? maintext::kEmulationReadFailed : maintext::kNoResponse);
}

void CTarvekDlg::ShowError(const ui::LocalizedMessage& message) {
    Host().ShowMessage(message.text.For(m_nAnsiCodePage), message.caption.For(m_nAnsiCodePage),
                       ui::kMbOk);
}

void CTarvekDlg::ShowStrings() {
    m_bShowingStrings = true;
    UpdateData(false);
    m_bShowingStrings = false;
}

int CTarvekDlg::RequireSelection(int comboId) {
    const int index = Host().GetListSelection(comboId);
    if (index < 0 || index >= Host().GetListCount(comboId)) {
        ShowError(ui::kChooseFromListMessage);
        return -1;
    }
    return index;
}

}  // namespace tarvek
