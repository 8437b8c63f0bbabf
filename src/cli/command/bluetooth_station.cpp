#include "cli/command/bluetooth_station.h"

#include <fstream>

#include "cli/command/bluetooth_verbs.h"
#include "cli/command/port_run.h"
#include "cli/settings/port_request.h"

namespace tarvek::cli {
namespace {

// The printer paired with the factory PIN, unless it already is (it is looked for within the
// wait when the adapter does not know it yet).
BluetoothStatus Reach(BluetoothClient& client, const std::string& address, const std::string& pin,
                      int waitSeconds) {
    const BluetoothStatus state = PairedState(&client, address);
    return state == BluetoothStatus::NotPaired ? client.Pair(address, pin, waitSeconds) : state;
}

// After the apply: the printer forgotten, or paired again with the PIN it now has (which shows
// that PIN works); nothing when it keeps the factory one.
Outcome AfterApply(const Platform& platform, BluetoothClient& client, const std::string& address,
                   const Settings& applied, const ApplyOptions& o) {
    const auto pin = applied.find(KeyId::BluetoothPin);
    if (o.unpairAfter) {
        return BluetoothOutcome(platform, client.Unpair(address), address, Step::Port, "");
    }
    if (pin == applied.end()) {
        return Outcome{};
    }
    BluetoothStatus result = client.Unpair(address);
    if (result == BluetoothStatus::Done) {
        result = client.Pair(address, pin->second.text, o.waitSeconds);
    }
    return BluetoothOutcome(platform, result, address, Step::Pin, "");
}

}  // namespace

bool IsBluetoothUnitsPort(const std::string& name) {
    std::string lower = name;
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return lower == kBluetoothUnitsPort;
}

int RunBluetoothStation(Invocation& i, const StationPlan& plan) {
    Platform& platform = i.platform;
    const ApplyOptions& o = i.options.apply;
    InputError error;
    if (!o.each || plan.units == nullptr || !plan.units->byAddress) {
        error.problem = Problem::UnitsByAddress;
        return Fail(i.output, InputOutcome(error));
    }
    int exit = kExitDone;
    std::string factoryPin;
    std::ofstream traceFile;
    std::unique_ptr<TraceRecorder> trace;
    if (!ReadPin(platform, i.output, o.pinEnv, factoryPin, exit) ||
        !OpenTrace(i, traceFile, trace, exit)) {
        return exit;
    }
    StationBook book(plan.units);
    std::string unwritable;
    const std::unique_ptr<BluetoothClient> client = BluetoothClientFor(platform);
    if (!book.OpenAudit(plan.auditPath, unwritable)) {
        return Fail(i.output, FileUnwritable(unwritable));
    }
    if (client == nullptr || !platform.bluetoothLink) {
        return Fail(i.output,
                    Failed(failure::Bluetooth{BluetoothStatus::NoService, "", ""}, Step::Port));
    }
    StationTally tally;
    int unit = 0;
    for (const UnitRow& row : plan.units->rows) {
        if (platform.interrupted.load()) {
            tally.end = Failed(failure::Interrupted{}, Step::Wait);
            break;
        }
        PortRequest port;
        MakePortRequest(BluetoothPortName(row.address), i.global.line, port, error);
        i.output.StationWaiting(port.portName);  // pairing may look for it for a while
        UnitSteps steps;
        steps.reached =
            BluetoothOutcome(platform, Reach(*client, row.address, factoryPin, plan.waitSeconds),
                             row.address, Step::Port, o.pinEnv);
        steps.pinLast = true;
        steps.after = [&](const Settings& applied) {
            return AfterApply(platform, *client, row.address, applied, o);
        };
        const std::unique_ptr<SerialPrinterLink> link = platform.bluetoothLink();
        Outcome outcome;
        RunOnPort(platform, i.output, *link, trace.get(), port, [&](VerbContext& context) {
            outcome = Provision(context, plan, book, ++unit, row.address, steps);
            return 0;
        });
        ++(outcome.Ok() ? tally.done : tally.failed);
        if (outcome.Interrupted()) {
            tally.end = outcome;
            break;
        }
    }
    factoryPin.assign(factoryPin.size(), '\0');
    return EndStation(i.output, plan, book, tally);
}

}  // namespace tarvek::cli
