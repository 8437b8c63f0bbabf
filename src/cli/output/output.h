// What the program prints, through one interface in two forms: plain sentences in the
// technician's language, or one JSON document per verb (JSON Lines in the station loop) for
// scripts. Each verb's result has its method; the verbs never print. Warnings and the progress
// of long steps go to stderr (stdout stays one document). Secrets are hidden everywhere unless
// asked for.
#pragma once

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "cli/output/audit_record.h"
#include "cli/session/apply.h"
#include "cli/output/result_sentences.h"
#include "cli/result/station_outcome.h"
#include "cli/session/printer_read.h"
#include "cli/session/raw_exchange.h"
#include "cli/session/port_search.h"
#include "texts/localized_text.h"

namespace tarvek::cli {

// The configuration label as sent: the emulation it was built in and its size.
struct LabelSent {
    int emulation = 0;
    std::size_t bytes = 0;
};

class Output {
  public:
    virtual ~Output() = default;
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;

    const Wording& Words() const { return m_wording; }
    const char* Text(const texts::LocalizedText& text) const {
        return text.For(m_wording.codePage);
    }
    // What follows a failure's message: the advice on what to do about it ("" for none).
    void SetDoctor(std::function<std::string(const Outcome&)> doctor) {
        m_doctor = std::move(doctor);
    }
    // The station on several ports at once: the output of one port, of this form, wording and
    // doctor, over that port's stdout and stderr (each shared with the others a line at a time).
    std::unique_ptr<Output> ForPort(std::ostream& out, std::ostream& err) const;
    // How the ports share stdout: as one live line per port (the plain form on a terminal), and
    // with each line tagged with its port (not JSON's: each record names its port).
    virtual bool LivePortLines() const = 0;
    virtual bool TagsPortLines() const = 0;

    // On stderr in both forms.
    void Warn(const std::string& sentence);
    // The port "--port auto" chose, and its line or kind.
    void PortChosen(const PortRequest& request, const PortInfo& port);
    virtual void Progress(Step step, int done, int total) = 0;

    // The verbs' results.
    virtual void Show(const std::string& port, const PrinterReport& report) = 0;
    // The configuration report: what show says, and the label when one was sent (else null).
    virtual void Reported(const std::string& port, const PrinterReport& report,
                          const LabelSent* label) = 0;
    virtual void Keys() = 0;
    virtual void Applied(const ApplyReport& report, std::size_t written) = 0;
    // comparison: done when the printer matches, else the values that differ.
    virtual void Diff(const Outcome& comparison, const std::vector<KeyId>& unverifiable) = 0;
    virtual void ProfileSaved(const std::string& file, const std::vector<KeyId>& secrets,
                              const std::vector<KeyId>& leftOut) = 0;
    virtual void ProfileValid(const std::string& file, std::size_t count) = 0;
    virtual void Ports(const std::vector<PortInfo>& ports) = 0;
    // detection: what detect ends with.
    virtual void Detected(const std::vector<PortProbe>& probes, const Outcome& detection) = 0;
    virtual void Failed(const Outcome& outcome) = 0;
    // A raw exchange: the bytes sent and each piece of the answer, in hex and as text.
    virtual void Exchanged(const RawExchange& exchange) = 0;
    // A piece of what the printer sends, as it arrives ("term").
    virtual void Arrived(const ReceivedPiece& piece) = 0;
    // The Bluetooth verbs: the devices found; a device paired (and trusted) or forgotten.
    virtual void BluetoothDevices(const std::vector<BluetoothDevice>& devices) = 0;
    virtual void BluetoothPaired(const std::string& address, bool paired) = 0;

    // The station loop, as it goes: a printer ends with its audit record.
    virtual void StationWaiting(const std::string& port) = 0;
    virtual void UnitStarted(int unit, const std::string& address) = 0;
    virtual void UnitEnded(const AuditRecord& record) = 0;
    virtual void StationNext(bool rowsUsedUp) = 0;
    // station: what the station ends with; undoneRows: the units file's lines of the rows no
    // printer took successfully.
    virtual void StationEnded(const StationTally& total, const Outcome& station,
                              const std::vector<int>& undoneRows) = 0;

  protected:
    Output(std::ostream& out, std::ostream& err, Wording wording)
        : m_out(out), m_err(err), m_wording(wording) {}
    std::string Advice(const Outcome& outcome) const { return m_doctor ? m_doctor(outcome) : ""; }
    // Some processes could not be looked at: a port's holder may be unnamed.
    void WarnIfProcessesUnseen(const std::vector<PortInfo>& ports);
    virtual void EndProgress() {}
    // An output of the same form over other streams, without progress lines.
    virtual std::unique_ptr<Output> SameForm(std::ostream& out, std::ostream& err) const = 0;

    std::ostream& m_out;
    std::ostream& m_err;

  private:
    Wording m_wording;
    std::function<std::string(const Outcome&)> m_doctor;
};

// progress: stderr is a terminal (one progress line for long steps, plain form only).
// Which of the console's streams are terminals: a progress line goes to stderr, the station's
// live status block to stdout (escape codes would corrupt a file or a pipe).
struct Terminals {
    bool err = false;
    bool out = false;
};
std::unique_ptr<Output> MakeOutput(bool json, Terminals terminals, std::ostream& out,
                                   std::ostream& err, Wording wording);

}  // namespace tarvek::cli
