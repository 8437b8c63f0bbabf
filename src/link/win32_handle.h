// Windows handles that close themselves.
#pragma once

#include <windows.h>

namespace tarvek {

class UniqueHandle {
  public:
    UniqueHandle() = default;
    explicit UniqueHandle(HANDLE handle) : m_handle(handle) {}
    ~UniqueHandle() { Reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    // Null and INVALID_HANDLE_VALUE both mean "none".
    void Reset(HANDLE handle = nullptr) {
        if (Valid()) {
            CloseHandle(m_handle);
        }
        m_handle = handle;
    }
    bool Valid() const { return m_handle != nullptr && m_handle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_handle; }

  private:
    HANDLE m_handle = nullptr;
};

// An unnamed event in the non-signalled state.
inline HANDLE NewEvent(bool manualReset) {
    return CreateEventA(nullptr, manualReset ? TRUE : FALSE, FALSE, nullptr);
}

}  // namespace tarvek
