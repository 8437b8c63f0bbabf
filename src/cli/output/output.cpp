#include "cli/output/output.h"

#include "cli/output/finding_texts.h"
#include "cli/output/output_forms.h"
#include "cli/output/port_sentences.h"
#include "cli/settings/port_request.h"

namespace tarvek::cli {

void Output::Warn(const std::string& sentence) {
    EndProgress();
    m_err << "tarvek-cli: " << sentence << "\n" << std::flush;
}

std::unique_ptr<Output> Output::ForPort(std::ostream& out, std::ostream& err) const {
    std::unique_ptr<Output> port = SameForm(out, err);
    port->SetDoctor(m_doctor);
    return port;
}

void Output::PortChosen(const PortRequest& request, const PortInfo& port) {
    const std::string how = request.kind == TransportKind::Usb ? KindText(port, m_wording.codePage)
                                                               : LineFlags(request.line);
    Warn(texts::FormatText(Text(text::kAutoFound), request.portName.c_str(), how.c_str()));
}

void Output::WarnIfProcessesUnseen(const std::vector<PortInfo>& ports) {
    for (const PortInfo& port : ports) {
        if (!port.allProcessesSeen) {
            Warn(Text(text::kSomeProcessesUnseen));
            return;
        }
    }
}

std::unique_ptr<Output> MakeOutput(bool json, Terminals terminals, std::ostream& out,
                                   std::ostream& err, Wording wording) {
    return json ? MakeJsonOutput(out, err, wording) : MakeTextOutput(out, err, wording, terminals);
}

}  // namespace tarvek::cli
