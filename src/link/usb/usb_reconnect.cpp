#include "link/usb/usb_reconnect.h"

namespace tarvek {

void UsbReconnect::Drop(const std::function<void()>& dropDevice) {
    if (!open || !idle) {
        return;
    }
    dropDevice();
    idle = false;
    if (m_thread.joinable()) {
        m_thread.join();  // a thread that reconnected before has ended its loop
    }
    m_thread = std::thread([this] { Loop(); });
}

void UsbReconnect::Stop() {
    if (m_thread.joinable()) {
        idle = true;
        m_thread.join();
    }
}

bool UsbReconnect::MarkClosed() {
    if (!open) {
        return false;
    }
    open = false;
    return true;
}

void UsbReconnect::Loop() {
    while (!idle) {
        m_pause();
        if (idle) {
            break;
        }
        const bool opened = m_reopen();
        open = opened;
        if (opened) {
            idle = true;
        }
    }
}

}  // namespace tarvek
