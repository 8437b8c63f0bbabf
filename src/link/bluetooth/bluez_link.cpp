// The serial channel of a paired Bluetooth printer through BlueZ: a client profile for the
// serial port profile, registered for the life of the link; Device1.ConnectProfile has BlueZ
// hand the connected socket to the profile's NewConnection, and the link reads and writes it
// as the serial link does its device. Close disconnects the profile and unregisters it.
#include <fcntl.h>
#include <sys/socket.h>

#include "link/bluetooth/bluez_bus.h"
#include "link/fd_io_posix.h"
#include "link/serial_write.h"
#include "link/unique_fd.h"

namespace tarvek {
namespace {

using namespace bluez;

constexpr char kProfilePath[] = "/org/tarvek/serial";
constexpr std::uint64_t kCallTimeoutUs = 10'000'000;
constexpr std::uint64_t kConnectTimeoutUs = 20'000'000;
// The socket BlueZ hands over, for the device asked for only.
struct ProfileState {
    std::string devicePath;
    UniqueFd socket;
};

int NewConnection(sd_bus_message* m, void* userdata, sd_bus_error* error) {
    auto& state = *static_cast<ProfileState*>(userdata);
    const char* device = nullptr;
    int fd = -1;
    if (sd_bus_message_read(m, "oh", &device, &fd) < 0 || state.devicePath != device) {
        return sd_bus_error_set(error, "org.bluez.Error.Rejected", "not the device asked for");
    }
    // The descriptor belongs to the message: the link keeps a copy of its own.
    state.socket.Reset(fcntl(fd, F_DUPFD_CLOEXEC, 3));
    if (state.socket.Valid()) {
        fcntl(state.socket.Get(), F_SETFL, fcntl(state.socket.Get(), F_GETFL) | O_NONBLOCK);
    }
    return sd_bus_reply_method_return(m, "");
}

int RequestDisconnection(sd_bus_message* m, void* userdata, sd_bus_error*) {
    static_cast<ProfileState*>(userdata)->socket.Reset();
    return sd_bus_reply_method_return(m, "");
}

int Release(sd_bus_message* m, void*, sd_bus_error*) {
    return sd_bus_reply_method_return(m, "");
}

constexpr sd_bus_vtable kProfileVtable[] = {
    SD_BUS_VTABLE_START(0),
    SD_BUS_METHOD("NewConnection", "oha{sv}", "", NewConnection, SD_BUS_VTABLE_UNPRIVILEGED),
    SD_BUS_METHOD("RequestDisconnection", "o", "", RequestDisconnection,
                  SD_BUS_VTABLE_UNPRIVILEGED),
    SD_BUS_METHOD("Release", "", "", Release, SD_BUS_VTABLE_UNPRIVILEGED), SD_BUS_VTABLE_END};

class CBluetoothLink final : public SerialPrinterLink, private SerialChunkPort {
  public:
    CBluetoothLink(Clock& clock, const std::atomic<bool>& stop, InputPurge purge)
        : m_clock(clock), m_stop(stop), m_purge(purge) {}
    ~CBluetoothLink() override { Close(); }
    using PrinterLink::Write;

    int Open(const std::string& portName, int, int, int, int, int) override {
        Close();
        std::string address;
        m_bus = std::make_unique<Bus>();
        Objects objects;
        if (!ParseBluetoothPortName(portName, address) || !OpenSystemBus(*m_bus) ||
            ListObjects(m_bus->Get(), objects) != BluetoothStatus::Done) {
            return -1;
        }
        const DeviceEntry* device = FindDevice(objects, address);
        if (device == nullptr || !device->device.paired || !Register(device->path)) {
            return -1;
        }
        Message call;
        Message reply;
        std::string error;
        if (sd_bus_message_new_method_call(m_bus->Get(), call.Out(), kService, device->path.c_str(),
                                           kDeviceInterface, "ConnectProfile") < 0 ||
            sd_bus_message_append(call.Get(), "s", kSerialPortUuid) < 0 ||
            !CallServing(m_bus->Get(), call.Get(), kConnectTimeoutUs, m_stop, reply, error)) {
            return -1;
        }
        m_connected = true;
        // BlueZ answers NewConnection before ConnectProfile; what is still queued is served.
        while (!m_state.socket.Valid() && sd_bus_process(m_bus->Get(), nullptr) > 0) {
        }
        if (!m_state.socket.Valid()) {
            return -1;
        }
        m_idle = IdleState{true, 0};
        return 0;
    }

    // Any line is taken: the printer's serial port is not the one in use.
    int Reconfigure(const SerialLineSettings&) override { return m_state.socket.Valid() ? 0 : -1; }

    int Close() override {
        m_state.socket.Reset();
        if (m_bus != nullptr && m_connected) {
            sd_bus_call_method(m_bus->Get(), kService, m_state.devicePath.c_str(), kDeviceInterface,
                               "DisconnectProfile", nullptr, nullptr, "s", kSerialPortUuid);
        }
        if (m_bus != nullptr && m_registered) {
            sd_bus_call_method(m_bus->Get(), kService, "/org/bluez", "org.bluez.ProfileManager1",
                               "UnregisterProfile", nullptr, nullptr, "o", kProfilePath);
        }
        m_connected = m_registered = false;
        m_object.Reset();
        m_bus.reset();
        return 0;
    }

    int Write(const std::uint8_t* data, int length) override {
        if (!m_state.socket.Valid()) {
            return 0;
        }
        return RunSerialWrite(*this, m_clock, m_idle, m_purge, data, length);
    }

    int Read(std::uint8_t* buffer, int capacity) override {
        return ReadWaiting(m_state.socket.Get(), buffer, capacity);
    }

  private:
    bool Register(const std::string& devicePath) {
        m_state.devicePath = devicePath;
        if (sd_bus_add_object_vtable(m_bus->Get(), m_object.Out(), kProfilePath,
                                     "org.bluez.Profile1", kProfileVtable, &m_state) < 0 ||
            sd_bus_call_method(m_bus->Get(), kService, "/org/bluez", "org.bluez.ProfileManager1",
                               "RegisterProfile", nullptr, nullptr, "osa{sv}", kProfilePath,
                               kSerialPortUuid, 2, "Role", "s", "client", "AutoConnect", "b",
                               0) < 0) {
            return false;
        }
        m_registered = true;
        return true;
    }

    int SendChunk(const std::uint8_t* data, int length) override {
        return SendChunkTo(m_state.socket.Get(), data, length, true);
    }
    void PurgeInput() override {
        std::uint8_t stale[256];
        while (::recv(m_state.socket.Get(), stale, sizeof stale, MSG_DONTWAIT) > 0) {
        }
    }
    void PurgeAll() override { PurgeInput(); }

    Clock& m_clock;
    const std::atomic<bool>& m_stop;
    const InputPurge m_purge;
    std::unique_ptr<Bus> m_bus;
    Slot m_object;
    ProfileState m_state;
    bool m_registered = false;
    bool m_connected = false;
    IdleState m_idle;
};

}  // namespace

std::unique_ptr<SerialPrinterLink> MakeBluetoothLink(Clock& clock, const std::atomic<bool>& stop,
                                                     InputPurge purge) {
    return std::make_unique<CBluetoothLink>(clock, stop, purge);
}

}  // namespace tarvek
