// tarvek-printer-sim on its pseudo-terminal, reached through the real POSIX serial link and the
// engine's sessions: the printer and its module as a program on a cable, the traffic log and the
// state file it keeps, its pages rendered, and its command line.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "link/links.h"
#include "printer/printer_session.h"
#include "sim/state_file.h"
#include "wifimodule/module_session.h"

namespace tarvek {
namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

int Shell(const std::string& command) {
    return WEXITSTATUS(std::system(command.c_str()));
}

class SimProgram : public ::testing::Test {
  protected:
    SimProgram() {
        char dir[] = "/tmp/tarvek-sim-e2e-XXXXXX";
        m_dir = mkdtemp(dir) != nullptr ? dir : "";
    }
    ~SimProgram() override {
        Stop();
        Shell("rm -rf '" + m_dir + "'");
    }
    // Starts the program and waits (bounded) for its pty's path.
    void Start(std::vector<std::string> args) {
        args.insert(args.begin(), {TARVEK_SIM_PROGRAM, "--link-file", m_dir + "/link", "--log",
                                   m_dir + "/traffic.log", "--state", m_dir + "/state"});
        std::vector<char*> argv;
        for (std::string& a : args) {
            argv.push_back(a.data());
        }
        argv.push_back(nullptr);
        unlink((m_dir + "/link").c_str());
        posix_spawn_file_actions_t quiet;
        posix_spawn_file_actions_init(&quiet);
        posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
        ASSERT_EQ(posix_spawn(&m_pid, argv[0], &quiet, nullptr, argv.data(), environ), 0);
        posix_spawn_file_actions_destroy(&quiet);
        for (int i = 0; i < 500 && m_path.empty(); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            const std::string text = ReadFile(m_dir + "/link");
            if (!text.empty() && text.back() == '\n') {
                m_path = text.substr(0, text.size() - 1);
            }
        }
        ASSERT_FALSE(m_path.empty());
    }
    void Stop() {
        session.Close();
        if (m_pid > 0) {
            kill(m_pid, SIGTERM);
            int status = -1;
            waitpid(m_pid, &status, 0);
            EXPECT_EQ(status, 0);  // a clean end on TERM
            m_pid = -1;
        }
        m_path.clear();
    }
    PrinterResult Open(int baud) {
        return session.Open({TransportKind::Serial, m_path, {baud, 0, 1, 0, 0}});
    }
    sim::PrinterState SavedState() {
        sim::PrinterState state;
        EXPECT_EQ(sim::LoadStateFile(m_dir + "/state", state), 0);
        return state;
    }

    std::string m_dir, m_path;
    pid_t m_pid = -1;
    std::unique_ptr<SerialPrinterLink> serial = MakeSerialLink(SystemClock());
    std::unique_ptr<UsbPrinterLink> usb = MakeUsbLink(SystemClock());
    TransportKind kind = TransportKind::Serial;
    ChannelSet channels{*serial, *usb, kind};
    PrinterSession session{channels, SystemClock()};
};

TEST_F(SimProgram, AWholeSessionIsAnsweredLoggedAndKept) {
    Start({"--baud", "19200", "--emulation", "cpcl"});
    EXPECT_EQ(Open(9600).failure, PrinterFailure::NoAnswer);  // another line: noise
    ASSERT_EQ(Open(19200).emulation, kEmulationCpcl);
    const BluetoothResult bt = session.ReadBluetooth();
    EXPECT_EQ(bt.address, "00:19:01:2A:3B:4C");
    EXPECT_EQ(bt.discoverable, 1);
    ASSERT_TRUE(session.SavePin("4321").Ok());
    session.Close();
    Stop();
    const sim::PrinterState state = SavedState();
    EXPECT_EQ(state.bluetoothPin, "4321");
    EXPECT_FALSE(state.ispMode);
    // One line per chunk and direction, times in milliseconds that never go back.
    const std::string log = ReadFile(m_dir + "/traffic.log");
    for (const char* line : {" host 00 00\n", " host 1C 45 43\n", " sim  00\n"}) {
        EXPECT_NE(log.find(line), std::string::npos) << line;
    }
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
    Start({"--baud", "19200"});
    ASSERT_TRUE(Open(19200).Ok());
    ASSERT_TRUE(session.PrintCodePage().Ok());
    ASSERT_TRUE(session.SaveSerialConfig({38400, 0, 1, 0, 0}).Ok());
    Stop();
    Start({"--baud", "19200"});  // the state file wins over the options
    EXPECT_TRUE(Open(38400).Ok());
    Stop();
    ASSERT_EQ(Shell(std::string(TARVEK_SIM_PROGRAM) + " --render-pages --state " + m_dir +
                    "/state > " + m_dir + "/pages.txt"),
              0);
    const std::string pages = ReadFile(m_dir + "/pages.txt");
    EXPECT_NE(pages.find("--- page 1 (CP_437) ---"), std::string::npos) << pages;
    EXPECT_NE(pages.find("\xC3\x87\xC3\xBC"), std::string::npos) << pages;  // 0x80 0x81: Çü
    EXPECT_EQ(Shell(std::string(TARVEK_SIM_PROGRAM) + " --bogus 2>/dev/null"), 2);  // usage
}

TEST_F(SimProgram, FaultsFromTheCommandLineReachTheLine) {
    Start({"--garbage"});
    EXPECT_EQ(Open(9600).failure, PrinterFailure::NotAnEmulationCode);
    Stop();
    unlink((m_dir + "/state").c_str());  // a fresh printer, not a power cycle
    Start({"--module", "absent"});
    ModuleSession module(channels, SystemClock());
    EXPECT_EQ(module.Open({TransportKind::Serial, m_path, {9600, 0, 1, 0, 0}}),
              ModuleOpen::NoIspReply);
}

}  // namespace
}  // namespace tarvek
