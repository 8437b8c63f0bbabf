// Finding the line settings at which a printer on a serial port answers: the port is opened
// once and set to one line setting after another, and at each the emulation query (FS "E"
// "C") is sent and the answer awaited. A code found is asked for once more before it counts,
// so a stray byte that happens to look like one is not taken. Nothing but the emulation
// query is ever written (and the link's idle preamble, after an open).
//
// Order: every rate a port can be set to, at 8 data bits, no parity and one stop bit: 19200
// and 9600 first (label printers leave the factory at one of these), then the other rates the
// printer's own serial command can name, fastest first, then the slower rates a printer set by
// other means may use, fastest first; then the same rates with even, then odd parity; then all
// of that again with two stop bits, which few printers use. Data bits stay 8 and flow control
// DTR/DSR.
//
// Time: each setting gets 10 empty reads 10 ms apart (100 ms) for the answer. The printer
// answers a few milliseconds after the query's last byte has left; at 1200 baud with parity
// and two stop bits a one-byte answer takes 10 ms on the line, so 100 ms leaves room for a
// slow printer, and a wrong setting gives nothing or garbage within that window. On a link
// that can change its settings in place the worst case is 48 windows plus one preamble pause
// (350 ms), about 5 s; both serial links (POSIX and Windows) change their settings in place.
// A link that cannot is closed and opened again for every setting, each time with its
// preamble: about 22 s.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "link/clock.h"
#include "link/printer_link.h"
#include "link/serial_settings.h"

namespace tarvek {

enum class DetectionOutcome : int {
    Found = 0,       // line and emulation say where the printer answered
    NoAnswer = 1,    // every setting was tried; none brought an emulation code twice
    OpenFailed = 2,  // the port did not open
    Cancelled = 3,   // the cancel flag was raised before a setting answered
};

struct LineDetection {
    std::string port;
    DetectionOutcome outcome = DetectionOutcome::NoAnswer;
    SerialLineSettings line{};  // Found only
    int emulation = -1;         // Found only: kEmulationCpcl or kEmulationEscPos
    int settingsTried = 0;
};

inline constexpr int kProbeEmptyReads = 10;

// The settings in the order they are tried (48).
const std::vector<SerialLineSettings>& DetectionOrder();

// One port on a link of the caller's; the link is closed afterwards. cancel, when given, is
// looked at before each setting.
LineDetection DetectLine(SerialPrinterLink& link, Clock& clock, const std::string& port,
                         const std::atomic<bool>* cancel = nullptr);

using SerialLinkFactory = std::function<std::unique_ptr<SerialPrinterLink>()>;

struct DetectionPlan {
    int maxParallel = 4;  // ports probed at once, one thread and one link each
    const std::atomic<bool>* cancel = nullptr;
};

// Several ports at once; the results in the order of ports. makeLink and clock are used from
// several threads.
std::vector<LineDetection> DetectLines(const std::vector<std::string>& ports,
                                       const SerialLinkFactory& makeLink, Clock& clock,
                                       const DetectionPlan& plan = {});
// The same on this platform's serial links and clock.
std::vector<LineDetection> DetectLines(const std::vector<std::string>& ports,
                                       const DetectionPlan& plan = {});

}  // namespace tarvek
