// The open flag and the reconnection of a USB link. After a failed chunk on an open link
// whose reconnection is armed, the link drops its device and a thread reopens it: a pause,
// an attempt, until one succeeds (the link is open again) or Stop. While it runs the open
// flag turns 0 at the first failed attempt. Close stops the thread before it touches the
// device.
#pragma once

#include <atomic>
#include <functional>
#include <thread>

namespace tarvek {

class UsbReconnect {
  public:
    // reopen: finds and opens the device, storing it before it returns true; pause: the wait
    // before each attempt. Both run on the reconnect thread.
    UsbReconnect(std::function<bool()> reopen, std::function<void()> pause)
        : m_reopen(std::move(reopen)), m_pause(std::move(pause)) {}
    ~UsbReconnect() { Stop(); }
    UsbReconnect(const UsbReconnect&) = delete;
    UsbReconnect& operator=(const UsbReconnect&) = delete;

    // Shared with the thread: the handle is stored before the flag says open.
    std::atomic<bool> open{false};
    // 1: no thread runs, and a failed chunk may start one; 0: one runs, or not armed.
    std::atomic<bool> idle{false};

    // After a failed chunk: when open and armed, drops the device (dropDevice) and starts
    // the thread.
    void Drop(const std::function<void()>& dropDevice);
    // Ends a running thread (it notices after its current pause or attempt) and waits for it.
    void Stop();
    // Close's bookkeeping once the thread has stopped: false when the link was not open;
    // else it is closed now (the next opening arms it again).
    bool MarkClosed();

  private:
    void Loop();

    std::function<bool()> m_reopen;
    std::function<void()> m_pause;
    std::thread m_thread;
};

}  // namespace tarvek
