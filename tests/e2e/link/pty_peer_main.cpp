// tarvek-link-pty-peer: a pseudo-terminal for tests of a serial link that runs in another
// process (the Windows link under Wine). It prints the terminal's path on its first line,
// appends every byte it receives to the traffic file, and after each received batch rewrites
// the state file with the terminal's line settings ("speed=9600 cstopb=0 ixon=0"). When the
// bytes "Q300" have arrived it answers, 30 ms later, with 300 bytes (n * 7 + 1). It ends when
// it is terminated or when the process that started it ends.
//   tarvek-link-pty-peer --traffic FILE --state FILE
#include <poll.h>
#include <termios.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "e2e/link/counting_bytes.h"
#include "e2e/link/pty_peer.h"

namespace {

int SpeedValue(speed_t speed) {
    const std::pair<speed_t, int> table[] = {{B1200, 1200},   {B2400, 2400},    {B4800, 4800},
                                             {B9600, 9600},   {B19200, 19200},  {B38400, 38400},
                                             {B57600, 57600}, {B115200, 115200}};
    for (const auto& [s, value] : table) {
        if (s == speed) {
            return value;
        }
    }
    return 0;
}

void WriteState(const std::string& path, const termios& t) {
    std::ofstream out(path, std::ios::trunc);
    out << "speed=" << SpeedValue(cfgetospeed(&t)) << " cstopb=" << ((t.c_cflag & CSTOPB) ? 1 : 0)
        << " ixon=" << ((t.c_iflag & IXON) ? 1 : 0) << "\n";
}

}  // namespace

int main(int argc, char** argv) {
    std::string trafficPath, statePath;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--traffic") == 0) {
            trafficPath = argv[i + 1];
        } else if (std::strcmp(argv[i], "--state") == 0) {
            statePath = argv[i + 1];
        }
    }
    tarvek::testing::PtyPeer peer;
    if (!peer.Ready() || trafficPath.empty() || statePath.empty()) {
        std::fprintf(stderr, "usage: tarvek-link-pty-peer --traffic FILE --state FILE\n");
        return 2;
    }
    std::printf("%s\n", peer.Path().c_str());
    std::fflush(stdout);
    WriteState(statePath, peer.Settings());
    std::string recent;
    const pid_t parent = getppid();
    for (;;) {
        if (getppid() != parent) {
            return 0;
        }
        const std::vector<std::uint8_t> got = peer.Drain(30);
        if (got.empty()) {
            continue;
        }
        {
            std::ofstream traffic(trafficPath, std::ios::app | std::ios::binary);
            traffic.write(reinterpret_cast<const char*>(got.data()),
                          static_cast<std::streamsize>(got.size()));
        }
        WriteState(statePath, peer.Settings());
        recent.append(got.begin(), got.end());
        if (recent.find("Q300") != std::string::npos) {
            recent.clear();
            peer.Send(tarvek::testing::CountingBytes(300));
        } else if (recent.size() > 16) {
            recent.erase(0, recent.size() - 16);
        }
    }
}
