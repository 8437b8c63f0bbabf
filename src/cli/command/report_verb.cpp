#include "cli/command/report_verb.h"

#include "cli/output/cli_texts.h"
#include "cli/output/label_rows.h"
#include "cli/session/apply.h"
#include "printer/config_label.h"

namespace tarvek::cli {
namespace {

// Everything the printer reports, its module's settings too where a module answers: over a
// link without one (no answer to the switch into ISP mode), what the printer itself reports.
bool ReadForReport(Connection& connection, PrinterReport& report, Outcome& outcome) {
    if (!connection.CheckPort(VariantFor(true), outcome)) {
        return false;
    }
    if (ReadPrinter(connection, true, report, outcome)) {
        return true;
    }
    const failure::ModuleOpen* module = outcome.As<failure::ModuleOpen>();
    if (module == nullptr || module->failure != tarvek::ModuleOpen::NoIspReply) {
        return false;
    }
    outcome = Outcome{};
    report.noModule = true;
    return true;
}

// The label in the printer's emulation as it is now, sent in one write.
bool PrintLabel(Connection& connection, const ConfigLabel& label, LabelSent& sent,
                Outcome& outcome) {
    if (!connection.OpenPrinter(Step::Print, outcome)) {
        return false;
    }
    const Bytes bytes = BuildConfigLabel(connection.Emulation(), label);
    PrinterResult result = connection.Printer().Print(bytes);
    if (result.writeFailed) {
        result.failure = PrinterFailure::NoAnswer;  // the link took nothing: none will come
    }
    if (!connection.Took(result, Step::Print, outcome)) {
        return false;
    }
    sent = LabelSent{connection.Emulation(), bytes.size()};
    return true;
}

}  // namespace

bool PrintReportLabel(VerbContext& context, const std::string& time, const std::string& profile,
                      const std::string& profileSha256, Outcome& outcome) {
    Connection connection(context.services, context.port);
    PrinterReport report;
    if (!ReadForReport(connection, report, outcome)) {
        return false;
    }
    ConfigLabel label = LabelOf(report, time);
    label.lines.push_back({"Profile", profile});
    label.lines.push_back({"SHA-256", profileSha256});
    LabelSent sent;
    return PrintLabel(connection, label, sent, outcome);
}

int ReportPrinter(VerbContext& context, bool print, const std::string& time) {
    Connection connection(context.services, context.port);
    PrinterReport report;
    Outcome outcome;
    if (!ReadForReport(connection, report, outcome)) {
        return Fail(context.output, outcome);
    }
    if (!print) {
        context.output.Reported(context.port.portName, report, nullptr);
        return kExitDone;
    }
    if (context.output.Words().codePage == texts::kKoreanCodePage) {
        context.output.Warn(context.output.Text(text::kLabelInEnglish));
    }
    LabelSent sent;
    if (!PrintLabel(connection, LabelOf(report, time), sent, outcome)) {
        return Fail(context.output, outcome);
    }
    context.output.Reported(context.port.portName, report, &sent);
    return kExitDone;
}

}  // namespace tarvek::cli
