#include "printer/line_detection.h"

#include <algorithm>
#include <iterator>
#include <utility>
#include <thread>

#include "link/answer_poll.h"
#include "link/links.h"
#include "printer/printer_commands.h"

namespace tarvek {
namespace {

// A probe takes the first batch that comes; the printer's silence past the limit is its answer.
constexpr PollPlan kProbePlan{256, kProbeEmptyReads};

// Lower comes first: the factory rates, then the rates the printer's command names, then the
// port's other rates; faster first within each.
std::pair<int, int> BaudRank(int baud) {
    const bool factory = baud == 19200 || baud == 9600;
    const bool named = ValueTable(kPrinterBaudRates).ByNumber(baud) != nullptr;
    return {factory ? 0 : named ? 1 : 2, -baud};
}

std::vector<SerialLineSettings> MakeOrder() {
    std::vector<int> bauds(std::begin(kPortBaudRates), std::end(kPortBaudRates));
    std::sort(bauds.begin(), bauds.end(), [](int a, int b) { return BaudRank(a) < BaudRank(b); });
    static const int kParities[] = {kParityNone, kParityEven, kParityOdd};
    std::vector<SerialLineSettings> order;
    for (const int stopBits : {kStopBits1, kStopBits2}) {
        for (const int parity : kParities) {
            for (const int baud : bauds) {
                order.push_back({baud, parity, kDataBits8, stopBits, kFlowDtrDsr});
            }
        }
    }
    return order;
}

// The emulation the printer gives to one query, or kNotAnEmulationCode.
int AskEmulation(SerialPrinterLink& link, Clock& clock) {
    if (link.Write(BuildEmulationQuery()) <= 0) {
        return kNotAnEmulationCode;
    }
    std::uint8_t answer[256];
    const int count = PollFirstBatch(link, clock, kProbePlan, answer);
    return ParseEmulationAnswer(answer, count);
}

// Puts the port on a setting: in place where the link can, else by opening it again.
bool Configure(SerialPrinterLink& link, const std::string& port, const SerialLineSettings& s,
               bool& open) {
    if (open) {
        const int changed = link.Reconfigure(s);
        if (changed != SerialPrinterLink::kReconfigureUnsupported) {
            return changed == 0;
        }
        link.Close();
    }
    open = link.Open(port, s.baudRate, s.parityIndex, s.dataBitsIndex, s.stopBitsIndex,
                     s.flowIndex) == 0;
    if (!open) {
        link.Close();  // a failed open may leave the port open
    }
    return open;
}

}  // namespace

const std::vector<SerialLineSettings>& DetectionOrder() {
    static const std::vector<SerialLineSettings> order = MakeOrder();
    return order;
}

LineDetection DetectLine(SerialPrinterLink& link, Clock& clock, const std::string& port,
                         const std::atomic<bool>* cancel) {
    LineDetection result;
    result.port = port;
    bool open = false;
    for (const SerialLineSettings& setting : DetectionOrder()) {
        if (cancel && *cancel) {
            result.outcome = DetectionOutcome::Cancelled;
            break;
        }
        ++result.settingsTried;
        if (!Configure(link, port, setting, open)) {
            // The first setting is the plainest one: a port that refuses it does not open.
            if (result.settingsTried == 1) {
                result.outcome = DetectionOutcome::OpenFailed;
                break;
            }
            continue;
        }
        const int emulation = AskEmulation(link, clock);
        if (emulation != kNotAnEmulationCode && AskEmulation(link, clock) == emulation) {
            result.outcome = DetectionOutcome::Found;
            result.line = setting;
            result.emulation = emulation;
            break;
        }
    }
    link.Close();
    return result;
}

std::vector<LineDetection> DetectLines(const std::vector<std::string>& ports,
                                       const SerialLinkFactory& makeLink, Clock& clock,
                                       const DetectionPlan& plan) {
    std::vector<LineDetection> results(ports.size());
    std::atomic<std::size_t> next{0};
    auto worker = [&] {
        for (std::size_t i = next++; i < ports.size(); i = next++) {
            const std::unique_ptr<SerialPrinterLink> link = makeLink();
            results[i] = DetectLine(*link, clock, ports[i], plan.cancel);
        }
    };
    const std::size_t count =
        std::min(ports.size(), static_cast<std::size_t>(std::max(plan.maxParallel, 1)));
    std::vector<std::thread> workers;
    for (std::size_t i = 0; i < count; ++i) {
        workers.emplace_back(worker);
    }
    for (std::thread& t : workers) {
        t.join();
    }
    return results;
}

std::vector<LineDetection> DetectLines(const std::vector<std::string>& ports,
                                       const DetectionPlan& plan) {
    return DetectLines(
        ports, [] { return MakeSerialLink(SystemClock()); }, SystemClock(), plan);
}

}  // namespace tarvek
