// The simulator program over its pty: a whole exchange with plain termios, then the traffic
// log and the state file it left.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "printer/printer_commands.h"
#include "sim/state_file.h"
#include "wifimodule/module_codec.h"

namespace {

using tarvek::Bytes;

std::string ReadFile(const std::string& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class SimProgram : public ::testing::Test {
  protected:
    void Start(std::vector<std::string> extra) {
        if (m_dir.empty()) {
            char dir[] = "/tmp/tarvek-sim-e2e-XXXXXX";
            ASSERT_NE(mkdtemp(dir), nullptr);
            m_dir = dir;
        }
        std::vector<std::string> args = {
            TARVEK_SIM_PROGRAM,     "--link-file", m_dir + "/link", "--log",
            m_dir + "/traffic.log", "--state",     m_dir + "/state"};
        args.insert(args.end(), extra.begin(), extra.end());
        std::vector<char*> argv;
        for (std::string& a : args) {
            argv.push_back(a.data());
        }
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        ASSERT_EQ(posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), environ), 0);
        posix_spawn_file_actions_destroy(&actions);
        for (int i = 0; i < 500 && m_slave.empty(); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            std::string text = ReadFile(m_dir + "/link");
            if (!text.empty() && text.back() == '\n') {
                m_slave = text.substr(0, text.size() - 1);
            }
        }
        ASSERT_FALSE(m_slave.empty());
    }
    void Stop() {
        if (m_pid > 0) {
            kill(m_pid, SIGTERM);
            int status = 0;
            waitpid(m_pid, &status, 0);
            m_pid = -1;
        }
    }
    // Stops the program and starts it again with new options; keepState says whether the
    // state file stays (a power cycle) or goes (a fresh printer).
    void Restart(std::vector<std::string> extra, bool keepState) {
        if (m_fd >= 0) {
            close(m_fd);
            m_fd = -1;
        }
        Stop();
        m_slave.clear();
        unlink((m_dir + "/link").c_str());
        if (!keepState) {
            unlink((m_dir + "/state").c_str());
        }
        Start(std::move(extra));
    }
    void TearDown() override {
        if (m_fd >= 0) {
            close(m_fd);
        }
        Stop();
        if (!m_dir.empty()) {
            std::system(("rm -rf '" + m_dir + "'").c_str());
        }
    }
    void OpenLine(speed_t speed) {
        m_fd = open(m_slave.c_str(), O_RDWR | O_NOCTTY);
        ASSERT_GE(m_fd, 0);
        termios t{};
        ASSERT_EQ(tcgetattr(m_fd, &t), 0);
        cfmakeraw(&t);
        cfsetispeed(&t, speed);
        cfsetospeed(&t, speed);
        ASSERT_EQ(tcsetattr(m_fd, TCSANOW, &t), 0);
    }
    void Send(const Bytes& bytes) {
        ASSERT_EQ(write(m_fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }
    void Send(const std::string& text) { Send(Bytes(text.begin(), text.end())); }
    // Everything that arrives until the line is quiet for quietMs.
    std::string Receive(int quietMs = 150) {
        std::string got;
        pollfd p{m_fd, POLLIN, 0};
        while (poll(&p, 1, quietMs) > 0) {
            char buffer[512];
            const ssize_t n = read(m_fd, buffer, sizeof buffer);
            if (n <= 0) {
                break;
            }
            got.append(buffer, static_cast<std::size_t>(n));
        }
        return got;
    }
    std::string Exchange(const Bytes& command) {
        Send(command);
        return Receive();
    }

    pid_t m_pid = -1;
    int m_fd = -1;
    std::string m_dir, m_slave;
};

TEST_F(SimProgram, FullExchangeGetsTheDocumentedAnswersAndIsLogged) {
    Start({});
    OpenLine(B9600);
    // The idle preamble and its pause, as the links send it: two chunks on the line.
    Send(Bytes{0, 0});
    std::this_thread::sleep_for(std::chrono::milliseconds(350));
    EXPECT_EQ(Exchange(tarvek::BuildEmulationQuery()), std::string(1, '\x01'));
    EXPECT_EQ(Exchange(tarvek::BuildBluetoothAddressQuery(tarvek::kEmulationEscPos)),
              "00:19:01:2A:3B:4C");
    EXPECT_EQ(Exchange(tarvek::BuildDiscoverableQuery(tarvek::kEmulationEscPos)), "on");
    EXPECT_EQ(Exchange(tarvek::BuildIspModeSwitch(true)), "701\r\n");
    std::string ip;
    for (int index = 0; index <= tarvek::kMacQueryIndex; ++index) {
        const std::string reply =
            Exchange(tarvek::BuildCommandFrame(tarvek::BuildReadCommand(index)));
        EXPECT_EQ(reply.compare(0, 5, "701\r\n"), 0) << index;
        EXPECT_EQ(reply.substr(reply.size() - 2), "\r\n") << index;
        if (index == 0) {
            ip = reply;
        }
    }
    EXPECT_EQ(ip, "701\r\n03 00 0C 00 C0 A8 00 64 00 00 53 F5\r\n");
    EXPECT_EQ(Exchange(tarvek::BuildCommandFrame(tarvek::kUnlockCommand)), "701\r\n");
    const Bytes image = tarvek::sim::MakeRegisterImage(0, Bytes{10, 1, 2, 3});
    const std::string payload = tarvek::EncodeHexPayload(image.data(), 12);
    EXPECT_EQ(Exchange(tarvek::BuildCommandFrame(tarvek::BuildWriteCommandPrefix(0) + payload)),
              "701\r\n");
    Exchange(tarvek::BuildCommandFrame(tarvek::kFlashCommand));
    Send(tarvek::BuildIspModeSwitch(false));
    Receive();
    Stop();

    tarvek::sim::PrinterState state;
    ASSERT_EQ(tarvek::sim::LoadStateFile(m_dir + "/state", state), 0);
    EXPECT_EQ(state.flash[0], image);
    EXPECT_FALSE(state.ispMode);

    // One line per chunk and direction, with its time in milliseconds.
    const std::string log = ReadFile(m_dir + "/traffic.log");
    EXPECT_NE(log.find(" host 00 00\n"), std::string::npos) << log;
    EXPECT_NE(log.find(" host 1C 45 43\n"), std::string::npos) << log;
    EXPECT_NE(log.find(" sim  01\n"), std::string::npos) << log;
    EXPECT_NE(log.find(" sim  37 30 31 0D 0A\n"), std::string::npos);
    std::istringstream lines(log);
    std::string line;
    long previous = -1;
    while (std::getline(lines, line)) {
        const long ms = std::stol(line.substr(0, 10));
        EXPECT_GE(ms, previous);
        previous = ms;
    }
}

TEST_F(SimProgram, StateSurvivesARestartAndPagesRender) {
    Start({"--emulation", "escpos"});
    OpenLine(B9600);
    Send(tarvek::BuildSetCodePageCommand(0));
    Receive();
    Send(tarvek::BuildCodePageTestPage());
    Receive();
    Send(tarvek::BuildSetEmulation(tarvek::kEmulationCpcl));
    Receive();
    Restart({"--emulation", "escpos"}, true);  // the state file wins over the initial options
    OpenLine(B9600);
    EXPECT_EQ(Exchange(tarvek::BuildEmulationQuery()), std::string(1, '\0'));
    Stop();
    const std::string cmd = std::string(TARVEK_SIM_PROGRAM) + " --render-pages --state " + m_dir +
                            "/state > " + m_dir + "/pages.txt";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    const std::string pages = ReadFile(m_dir + "/pages.txt");
    EXPECT_NE(pages.find("--- page 1 (CP_437) ---"), std::string::npos) << pages;
    EXPECT_NE(pages.find("\xC3\x87\xC3\xBC"), std::string::npos) << pages;  // 0x80 0x81: Çü
}

TEST_F(SimProgram, MismatchedLineGetsNoAnswerAndFaultsApply) {
    Start({"--baud", "19200", "--refuse-read", "0"});
    OpenLine(B9600);
    EXPECT_EQ(Exchange(tarvek::BuildEmulationQuery()), "");
    termios t{};
    tcgetattr(m_fd, &t);
    cfsetispeed(&t, B19200);
    cfsetospeed(&t, B19200);
    tcsetattr(m_fd, TCSANOW, &t);
    EXPECT_EQ(Exchange(tarvek::BuildEmulationQuery()), std::string(1, '\x01'));
    EXPECT_EQ(Exchange(tarvek::BuildIspModeSwitch(true)), "701\r\n");
    EXPECT_NE(Exchange(tarvek::BuildCommandFrame(tarvek::BuildReadCommand(0))).compare(0, 3, "701"),
              0);
}

// The sim lines of the traffic log, each as (milliseconds, hex text).
std::vector<std::pair<long, std::string>> SimLines(const std::string& log) {
    std::vector<std::pair<long, std::string>> out;
    std::istringstream lines(log);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.size() > 15 && line.compare(10, 5, " sim ") == 0) {
            out.emplace_back(std::stol(line.substr(0, 10)), line.substr(16));
        }
    }
    return out;
}

TEST_F(SimProgram, NewSerialSettingsMoveThePrinterToTheNewLine) {
    Start({});
    OpenLine(B9600);
    Send(tarvek::BuildEscPosSerialCommand(19200, 1, 0, 0, 0));
    Receive();
    EXPECT_EQ(Exchange(tarvek::BuildEmulationQuery()), "");  // still at 9600: noise
    termios t{};
    tcgetattr(m_fd, &t);
    cfsetispeed(&t, B19200);
    cfsetospeed(&t, B19200);
    tcsetattr(m_fd, TCSANOW, &t);
    EXPECT_EQ(Exchange(tarvek::BuildEmulationQuery()), std::string(1, '\x01'));
    Stop();
    tarvek::sim::PrinterState state;
    ASSERT_EQ(tarvek::sim::LoadStateFile(m_dir + "/state", state), 0);
    EXPECT_EQ(state.serial.baudRate, 19200);
}

TEST_F(SimProgram, AnswerFormModuleKindAndCpclQuotesFromOptions) {
    Start({"--emulation", "cpcl", "--answer-form", "ascii", "--module", "wep"});
    OpenLine(B9600);
    EXPECT_EQ(Exchange(tarvek::BuildEmulationQuery()), "0");
    EXPECT_EQ(Exchange(tarvek::BuildBluetoothAddressQuery(tarvek::kEmulationCpcl)),
              "\"00:19:01:2A:3B:4C\"");
    EXPECT_EQ(Exchange(tarvek::BuildIspModeSwitch(true)), "701\r\n");
    EXPECT_NE(Exchange(tarvek::BuildCommandFrame(tarvek::BuildReadCommand(9))).compare(0, 3, "701"),
              0);  // a WEP-only module has no key register 09 05
}

TEST_F(SimProgram, PiecesWithAGapAndLatenessShowInTheLog) {
    Start({"--pieces", "2", "--piece-gap", "120", "--late", "200"});
    OpenLine(B9600);
    Send(tarvek::BuildIspModeSwitch(true));
    EXPECT_EQ(Receive(400), "701\r\n");
    Stop();
    const std::string log = ReadFile(m_dir + "/traffic.log");
    const auto sim = SimLines(log);
    ASSERT_EQ(sim.size(), 2u) << log;
    EXPECT_EQ(sim[0].second, "37 30");
    EXPECT_EQ(sim[1].second, "31 0D 0A");
    EXPECT_GE(sim[1].first - sim[0].first, 120) << log;
    const std::size_t host = log.find(" host 1B 5B 4D 01\n");
    ASSERT_NE(host, std::string::npos) << log;
    const long hostMs = std::stol(log.substr(log.rfind('\n', host) + 1, 10));
    EXPECT_GE(sim[0].first - hostMs, 200) << log;
}

TEST_F(SimProgram, SilentAfterAndStopAfterByteGoQuiet) {
    Start({"--silent-after", "1"});
    OpenLine(B9600);
    EXPECT_EQ(Exchange(tarvek::BuildEmulationQuery()), std::string(1, '\x01'));
    EXPECT_EQ(Exchange(tarvek::BuildEmulationQuery()), "");
    Restart({"--stop-after-byte", "5"}, false);
    OpenLine(B9600);
    EXPECT_EQ(Exchange(Bytes{0, 0, 0x1C, 0x45, 0x43}), std::string(1, '\x01'));
    EXPECT_EQ(Exchange(tarvek::BuildEmulationQuery()), "");
}

TEST_F(SimProgram, GarbageAndACorruptCheckReachTheLine) {
    Start({"--corrupt-check", "0"});
    OpenLine(B9600);
    Exchange(tarvek::BuildIspModeSwitch(true));
    EXPECT_EQ(Exchange(tarvek::BuildCommandFrame(tarvek::BuildReadCommand(0))),
              "701\r\n03 00 0C 00 C0 A8 00 64 00 00 53 0A\r\n");
    Restart({"--garbage"}, false);
    OpenLine(B9600);
    const std::string answer = Exchange(tarvek::BuildEmulationQuery());
    ASSERT_EQ(answer.size(), 1u);
    EXPECT_NE(answer[0], '\x01');
    EXPECT_NE(answer[0], '1');
}

TEST_F(SimProgram, UsageNamesEveryOption) {
    const std::string cmd = std::string(TARVEK_SIM_PROGRAM) + " --help > /tmp/tarvek-sim-help.txt";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    const std::string help = ReadFile("/tmp/tarvek-sim-help.txt");
    for (const char* option :
         {"--link-file", "--state", "--log", "--emulation", "--module", "--silent-after", "--late",
          "--pieces", "--garbage", "--refuse-read", "--refuse-write", "--corrupt-check",
          "--stop-after-byte", "--render-pages"}) {
        EXPECT_NE(help.find(option), std::string::npos) << option;
    }
    const std::string bad = std::string(TARVEK_SIM_PROGRAM) + " --bogus 2>/dev/null";
    EXPECT_EQ(WEXITSTATUS(std::system(bad.c_str())), 2);
}

}  // namespace
