// The byte moves the POSIX links share on a non-blocking descriptor (a terminal device or a
// socket): the batch a Read gathers and one chunk of a write, with their waits.
#pragma once

#include <cstdint>

namespace tarvek {

// 1 when the descriptor is ready for events within timeoutMs, 0 when not, -1 on failure.
int PollFor(int fd, short events, int timeoutMs);
// The bytes already waiting, gathered as a batch: at most 50 ms between bytes, 100 ms in all;
// at most capacity, 0 when none are waiting.
int ReadWaiting(int fd, std::uint8_t* buffer, int capacity);
// Hands up to length bytes over within the chunk bound: the count, kChunkFailed or
// kChunkTimedOut. A socket is written without a SIGPIPE when its peer has gone.
int SendChunkTo(int fd, const std::uint8_t* data, int length, bool socket);

}  // namespace tarvek
