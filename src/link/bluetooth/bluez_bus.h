// BlueZ on the system bus through sd-bus: the bus, messages and slots held by RAII, the
// adapter's devices as BlueZ lists them, and a call that keeps serving our own objects (an
// agent, a profile) while BlueZ works on it.
#pragma once

#include <systemd/sd-bus.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "link/bluetooth/bluetooth.h"

namespace tarvek::bluez {

inline constexpr char kService[] = "org.bluez";
inline constexpr char kDeviceInterface[] = "org.bluez.Device1";
inline constexpr char kAdapterInterface[] = "org.bluez.Adapter1";

// An sd-bus object held by one reference, dropped (a bus: flushed and closed) with it.
template <class T, T* (*Unref)(T*)>
class Ref {
  public:
    Ref() = default;
    ~Ref() { Reset(); }
    Ref(const Ref&) = delete;
    Ref& operator=(const Ref&) = delete;
    // Where a call that makes the object puts it (the one held before is dropped).
    T** Out() {
        Reset();
        return &m_object;
    }
    T* Get() const { return m_object; }
    void Reset() { m_object = m_object != nullptr ? Unref(m_object) : nullptr; }

  private:
    T* m_object = nullptr;
};

using Bus = Ref<sd_bus, sd_bus_flush_close_unref>;
using Message = Ref<sd_bus_message, sd_bus_message_unref>;
using Slot = Ref<sd_bus_slot, sd_bus_slot_unref>;

// The system bus (DBUS_SYSTEM_BUS_ADDRESS when set); false when it cannot be reached.
inline bool OpenSystemBus(Bus& bus) {
    return sd_bus_open_system(bus.Out()) >= 0;
}

class Error {
  public:
    Error() = default;
    ~Error() { sd_bus_error_free(&m_error); }
    Error(const Error&) = delete;
    Error& operator=(const Error&) = delete;
    sd_bus_error* Get() { return &m_error; }
    std::string Name() const { return m_error.name != nullptr ? m_error.name : ""; }

  private:
    sd_bus_error m_error = SD_BUS_ERROR_NULL;
};

struct DeviceEntry {
    std::string path;
    std::string adapter;  // the adapter's object path
    BluetoothDevice device;
};

struct Objects {
    std::string adapter;  // the first adapter's path ("" when there is none)
    std::vector<DeviceEntry> devices;
};

// BlueZ's objects; NoService when it does not answer.
BluetoothStatus ListObjects(sd_bus* bus, Objects& objects);
// The device of that address on the first adapter, nullptr when there is none.
const DeviceEntry* FindDevice(const Objects& objects, const std::string& address);

// The name of the error of a call given up because stop was set.
inline constexpr char kStoppedError[] = "org.tarvek.Stopped";

// Calls a method of BlueZ, serving our objects until its reply, the timeout or stop; errorName
// is the D-Bus error's name ("" on success).
bool CallServing(sd_bus* bus, sd_bus_message* call, std::uint64_t timeoutUs,
                 const std::atomic<bool>& stop, Message& reply, std::string& errorName);
// A simple call without arguments to an object of BlueZ.
bool CallPlain(sd_bus* bus, const std::string& path, const char* interface, const char* member,
               std::uint64_t timeoutUs, const std::atomic<bool>& stop, std::string& errorName);
// Waits for the time unless stop is set first; false when it was.
bool PauseUnlessStopped(std::chrono::milliseconds time, const std::atomic<bool>& stop);

// The result an error of BlueZ stands for.
BluetoothStatus ResultOfError(const std::string& errorName);

}  // namespace tarvek::bluez
