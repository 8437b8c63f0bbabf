// What the console program needs of its platform, one file each (platform_posix.cpp,
// platform_win32.cpp): Ctrl-C, the console, the system's language, owner-only files.
#pragma once

#include <atomic>
#include <cstdint>
#include <ctime>
#include <string>

namespace tarvek::cli {

// The process-wide Ctrl-C flag, set by SIGINT/SIGTERM (POSIX) or the console's Ctrl-C and
// Ctrl-Break (Windows) once the handlers are installed.
std::atomic<bool>& InterruptFlag();
void InstallInterruptHandlers();

// Console output in UTF-8 (the program's texts are UTF-8); whether stderr is a terminal.
void PrepareConsole();
bool StderrIsTerminal();
bool StdoutIsTerminal();

// 949 when the system speaks Korean (the ANSI code page on Windows, LANG/LC_ALL/LC_MESSAGES
// "ko..." on POSIX), else 0.
int SystemCodePage();

bool RestrictToOwner(const std::string& path);

// The calendar time of t in UTC, safe to ask from several threads.
bool UtcTime(std::time_t t, std::tm& utc);
// This machine's name and the user's, for the station's audit ("" when unknown).
std::string HostName();
std::string UserName();
// The SHA-256 of bytes, from the system's own library.
bool Sha256(const std::string& bytes, std::uint8_t (&digest)[32]);
// The SHA-256 of the file's bytes as 64 lowercase hex digits; "" when it cannot be read.
std::string FileSha256(const std::string& path);
// True when standard input has something to read (a typed line, or its end) at once.
bool InputWaiting();

}  // namespace tarvek::cli
