// A program run beside a test (the printer simulator, cupsd), its output thrown away, ended
// with SIGTERM and waited for when the object goes; and a bounded wait for what it creates.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace tarvek::testing {

class ChildProcess {
  public:
    explicit ChildProcess(std::vector<std::string> args) {
        std::vector<char*> argv;
        for (std::string& a : args) {
            argv.push_back(a.data());
        }
        argv.push_back(nullptr);
        posix_spawn_file_actions_t quiet;
        posix_spawn_file_actions_init(&quiet);
        posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_adddup2(&quiet, 1, 2);
        m_pid = posix_spawn(&m_pid, argv[0], &quiet, nullptr, argv.data(), environ) ? -1 : m_pid;
        posix_spawn_file_actions_destroy(&quiet);
    }
    ChildProcess(const ChildProcess&) = delete;
    ~ChildProcess() {
        if (m_pid > 0 && kill(m_pid, SIGTERM) == 0) {
            waitpid(m_pid, nullptr, 0);
        }
    }

  private:
    pid_t m_pid = -1;
};

// Whether done() came true within 10 s, asked every 10 ms.
template <typename Done>
bool WaitUntil(Done done) {
    for (int i = 0; i < 1000 && !done(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return done();
}

// The first line of a file once it has its line end (within 10 s); empty when it never has.
inline std::string WaitForLine(const std::string& path) {
    std::string line;
    WaitUntil([&] { return std::getline(std::ifstream(path), line).good(); });
    return line;
}

}  // namespace tarvek::testing
