#include "cli/command/parallel_station.h"

#include <fstream>
#include <memory>
#include <thread>

#include "cli/command/port_run.h"
#include "cli/output/line_sink.h"

namespace tarvek::cli {
int RunStations(Invocation& invocation, const std::vector<PortRequest>& ports,
                const StationPlan& plan) {
    Platform& platform = invocation.platform;
    const GlobalOptions& g = invocation.global;
    StationBook book(plan.units);
    std::string unwritable;
    std::ofstream traceFile;
    if (!g.trace.empty()) {
        traceFile.open(g.trace, std::ios::trunc);
        unwritable = traceFile ? "" : g.trace;
    }
    if (!unwritable.empty() || !book.OpenAudit(plan.auditPath, unwritable)) {
        return Fail(invocation.output, FileUnwritable(unwritable));
    }
    const Output& program = invocation.output;
    LineSink out(platform.out, program.LivePortLines(), ports.size());
    LineSink err(platform.err, false, ports.size());
    LineSink trace(traceFile, false, ports.size());
    std::vector<StationTally> tallies(ports.size());
    std::vector<std::thread> workers;
    for (std::size_t k = 0; k < ports.size(); ++k) {
        workers.emplace_back([&, k] {
            const PortRequest& port = ports[k];
            const std::string tag = port.portName + ": ";
            SinkStream portOut(out, k, program.TagsPortLines() ? tag : ""), portErr(err, k, tag),
                portTrace(trace, k, tag);
            const std::unique_ptr<Output> output = program.ForPort(portOut, portErr);
            std::unique_ptr<TraceRecorder> recorder;
            if (traceFile.is_open()) {
                recorder =
                    std::make_unique<TraceRecorder>(portTrace, platform.clock, g.showSecrets);
            }
            int exit = kExitDone;
            std::unique_ptr<SerialPrinterLink> serial = OwnLinkFor(platform, *output, port, exit);
            if (exit != kExitDone) {
                tallies[k].failed = 1;  // said: the printer cannot be reached
                return;
            }
            serial = serial ? std::move(serial) : platform.makeSerial();
            RunOnPort(platform, *output, *serial, recorder.get(), port, [&](VerbContext& context) {
                Outcome held;
                if (!StationPortFree(context, plan, held)) {
                    tallies[k].failed = 1;
                    tallies[k].end = held;
                    return Fail(*output, held);
                }
                tallies[k] = RunStationOn(context, plan, book);
                return 0;
            });
        });
    }
    for (std::thread& worker : workers) {
        worker.join();
    }
    return EndStation(invocation.output, plan, book, Total(tallies));
}

}  // namespace tarvek::cli
