// tarvek-printer-sim: the simulated printer on a pseudo-terminal (POSIX).
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "link/clock.h"
#include "link/network/tcp_link.h"
#include "link/unique_fd.h"
#include "sim/network_port.h"
#include "sim/printer_model.h"
#include "sim/sim_options.h"
#include "sim/state_file.h"

namespace {

volatile sig_atomic_t g_stop = 0;  // set by SIGINT/SIGTERM
void OnSignal(int) {
    g_stop = 1;
}

using tarvek::sim::PrinterModel;

int BaudOf(speed_t speed) {
    switch (speed) {
        case B1200:
            return 1200;
        case B2400:
            return 2400;
        case B4800:
            return 4800;
        case B9600:
            return 9600;
        case B19200:
            return 19200;
        case B38400:
            return 38400;
        case B57600:
            return 57600;
        case B115200:
            return 115200;
        default:
            return 0;
    }
}

// The line settings the host set on the pty's slave side.
bool HostLine(int slave, tarvek::SerialLineSettings& line) {
    termios t{};
    if (slave < 0 || tcgetattr(slave, &t) != 0) {
        return false;
    }
    line.baudRate = BaudOf(cfgetospeed(&t));
    line.parityIndex = (t.c_cflag & PARENB) == 0 ? 0 : ((t.c_cflag & PARODD) != 0 ? 1 : 2);
    line.dataBitsIndex = (t.c_cflag & CSIZE) == CS7 ? 0 : 1;
    line.stopBitsIndex = (t.c_cflag & CSTOPB) != 0 ? 1 : 0;
    line.flowIndex = (t.c_iflag & IXON) != 0 ? 1 : 0;
    return true;
}

class TrafficLog {
  public:
    explicit TrafficLog(const std::string& path, std::uint32_t startMs) : m_start(startMs) {
        if (!path.empty()) {
            m_out.open(path, std::ios::app);
        }
    }
    void Chunk(const char* direction, const tarvek::Bytes& bytes, std::uint32_t nowMs) {
        if (!m_out.is_open()) {
            return;
        }
        char head[48];
        std::snprintf(head, sizeof head, "%10u %-4s", static_cast<unsigned>(nowMs - m_start),
                      direction);
        m_out << head;
        for (std::uint8_t b : bytes) {
            char hex[4];
            std::snprintf(hex, sizeof hex, " %02X", b);
            m_out << hex;
        }
        m_out << "\n" << std::flush;
    }
    void Note(const std::string& text, std::uint32_t nowMs) {
        if (m_out.is_open()) {
            char head[48];
            std::snprintf(head, sizeof head, "%10u note ", static_cast<unsigned>(nowMs - m_start));
            m_out << head << text << "\n" << std::flush;
        }
    }

  private:
    std::ofstream m_out;
    std::uint32_t m_start;
};

void SaveIfChanged(const tarvek::sim::SimOptions& o, PrinterModel& model,
                   unsigned long long& saved) {
    if (!o.statePath.empty() && model.ChangeCount() != saved) {
        if (tarvek::sim::SaveStateFile(o.statePath, model.State()) != 0) {
            std::cerr << "tarvek-printer-sim: cannot write " << o.statePath << "\n";
        }
        saved = model.ChangeCount();
    }
}

// Where the printer joins the network after a flash: the module's IP when it is on this
// machine's loopback range, but not 127.0.0.1 (every address's own) nor the address the printer
// already serves; "" otherwise.
std::string JoinAddress(const tarvek::sim::PrinterState& state, const std::string& own) {
    const tarvek::sim::RegisterImage& ip = state.flash[0];
    if (ip.size() < 8 || ip[4] != 127) {
        return "";
    }
    std::string text = std::to_string(ip[4]);
    for (int i = 5; i < 8; ++i) {
        text += "." + std::to_string(ip[i]);
    }
    return text == "127.0.0.1" || text == own ? "" : text;
}

int Serve(const tarvek::sim::SimOptions& o, PrinterModel& model) {
    using tarvek::sim::NetworkPort;
    NetworkPort raw, joined;  // --tcp, and the address the printer joined at
    if (!o.tcpHost.empty() && !raw.Listen(o.tcpHost, o.tcpPort)) {
        std::perror(("tarvek-printer-sim: --tcp " + o.tcpHost).c_str());
        return 1;
    }
    // Answers go back where the last command came from.
    NetworkPort* answerTo = nullptr;
    std::string joinTried;
    tarvek::UniqueFd master;
    tarvek::UniqueFd slave;
    std::string path = o.devicePath;
    if (path.empty()) {
        master.Reset(posix_openpt(O_RDWR | O_NOCTTY));
        if (!master.Valid() || grantpt(master.Get()) != 0 || unlockpt(master.Get()) != 0) {
            std::perror("tarvek-printer-sim: posix_openpt");
            return 1;
        }
        path = ptsname(master.Get());
        // Kept open so the line settings stay readable and the master never sees a hang-up.
        slave.Reset(open(path.c_str(), O_RDWR | O_NOCTTY));
        termios t{};
        if (slave.Valid() && tcgetattr(slave.Get(), &t) == 0) {
            cfmakeraw(&t);
            cfsetispeed(&t, B9600);
            cfsetospeed(&t, B9600);
            tcsetattr(slave.Get(), TCSANOW, &t);
        }
    } else {
        master.Reset(open(path.c_str(), O_RDWR | O_NOCTTY));
        if (!master.Valid()) {
            std::perror(("tarvek-printer-sim: " + path).c_str());
            return 1;
        }
    }
    // The start state is on file before the port is announced: whoever finds the port can read it.
    unsigned long long saved = ~model.ChangeCount();
    SaveIfChanged(o, model, saved);
    if (!o.symlinkPath.empty()) {
        unlink(o.symlinkPath.c_str());
        if (symlink(path.c_str(), o.symlinkPath.c_str()) != 0) {
            std::perror("tarvek-printer-sim: symlink");
        }
    }
    if (!o.linkFile.empty()) {
        std::ofstream(o.linkFile + ".tmp") << path << "\n";
        std::rename((o.linkFile + ".tmp").c_str(), o.linkFile.c_str());
    }
    std::cout << path << std::endl;

    tarvek::Clock& clock = tarvek::SystemClock();
    TrafficLog log(o.logPath, clock.NowMs());
    log.Note("serving " + path, clock.NowMs());
    while (!g_stop) {
        int timeout = 200;
        std::uint32_t at = 0;
        const std::uint32_t now = clock.NowMs();
        if (model.NextEventMs(at)) {
            const std::int32_t wait = static_cast<std::int32_t>(at - now);
            timeout = wait < 0 ? 0 : (wait > 200 ? 200 : wait);
        }
        std::vector<pollfd> fds{{master.Get(), POLLIN, 0}};
        raw.AddTo(fds);
        joined.AddTo(fds);
        const int ready = poll(fds.data(), fds.size(), timeout);
        for (NetworkPort* port : {&raw, &joined}) {
            const tarvek::Bytes bytes = ready > 0 ? port->Serve(fds) : tarvek::Bytes{};
            if (!bytes.empty()) {
                const std::uint32_t t = clock.NowMs();
                model.SetHostLine(model.State().serial);  // the network has no line to match
                log.Chunk("host", bytes, t);
                model.Feed(bytes.data(), static_cast<int>(bytes.size()), t);
                answerTo = port;
            }
        }
        if (ready > 0 && (fds[0].revents & POLLIN) != 0) {
            std::uint8_t buffer[512];
            const ssize_t n = read(master.Get(), buffer, sizeof buffer);
            if (n > 0) {
                const std::uint32_t t = clock.NowMs();
                tarvek::SerialLineSettings line{};
                if (HostLine(slave.Get(), line)) {
                    model.SetHostLine(line);
                }
                log.Chunk("host", tarvek::Bytes(buffer, buffer + n), t);
                model.Feed(buffer, static_cast<int>(n), t);
                answerTo = nullptr;
            }
        }
        const std::uint32_t t = clock.NowMs();
        for (const tarvek::Bytes& chunk : model.CollectChunks(t)) {
            log.Chunk("sim", chunk, t);
            if (answerTo != nullptr) {
                answerTo->Send(chunk);
            } else if (write(master.Get(), chunk.data(), chunk.size()) < 0) {
                log.Note("write failed", t);
            }
        }
        const std::string join = JoinAddress(model.State(), o.tcpHost);
        if (join != joinTried) {
            joinTried = join;
            if (answerTo == &joined) {
                answerTo = nullptr;
            }
            joined.Stop();
            if (!join.empty()) {
                log.Note(joined.Listen(join, tarvek::kPrinterTcpPort) ? "joined " + join
                                                                      : "cannot listen at " + join,
                         t);
            }
        }
        SaveIfChanged(o, model, saved);
    }
    log.Note("stopped", clock.NowMs());
    if (!o.symlinkPath.empty()) {
        unlink(o.symlinkPath.c_str());
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    tarvek::sim::SimOptions options;
    std::string error;
    if (tarvek::sim::ParseSimOptions(argc, argv, options, error) != 0) {
        std::cerr << "tarvek-printer-sim: " << error << "\n"
                  << "Try 'tarvek-printer-sim --help'.\n";
        return 2;
    }
    if (options.help) {
        std::cout << tarvek::sim::SimUsage();
        return 0;
    }
    tarvek::sim::PrinterState state = tarvek::sim::DefaultPrinterState();
    const tarvek::sim::StateLoad load = options.statePath.empty()
                                            ? tarvek::sim::StateLoad::Missing
                                            : tarvek::sim::LoadStateFile(options.statePath, state);
    if (load == tarvek::sim::StateLoad::Invalid) {
        std::cerr << "tarvek-printer-sim: " << options.statePath
                  << " is not a state file this printer can take (left as it is)\n";
        return 2;
    }
    if (load == tarvek::sim::StateLoad::Missing) {
        tarvek::sim::ApplyInitialState(options, state);
    }
    if (options.renderPages) {
        std::cout << tarvek::sim::RenderPages(state);
        return 0;
    }
    PrinterModel model(state, options.faults);
    model.SetCommandPauseMs(options.commandPauseMs);
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    return Serve(options, model);
}
