// The Bluetooth client over BlueZ: discovery on the first adapter, pairing with an agent of our
// own that answers the PIN request (and nothing it was not asked for), forgetting a device.
#include <chrono>

#include "link/bluetooth/bluez_bus.h"

namespace tarvek {
namespace {

using namespace bluez;

constexpr char kAgentPath[] = "/org/tarvek/agent";
constexpr char kAgentInterface[] = "org.bluez.Agent1";
constexpr char kRejected[] = "org.bluez.Error.Rejected";
constexpr std::uint64_t kCallTimeoutUs = 10'000'000;
constexpr std::uint64_t kPairTimeoutUs = 60'000'000;
constexpr auto kSearchPoll = std::chrono::milliseconds(500);
constexpr std::uint32_t kMaxPasskey = 999999;

// What the agent answers: the PIN, for the device being paired only.
struct AgentState {
    std::string devicePath;
    std::string pin;
};

bool ForOurDevice(sd_bus_message* m, const AgentState& state) {
    const char* device = nullptr;
    return sd_bus_message_read(m, "o", &device) > 0 && device != nullptr &&
           state.devicePath == device;
}

int RequestPinCode(sd_bus_message* m, void* userdata, sd_bus_error* error) {
    const auto& state = *static_cast<const AgentState*>(userdata);
    if (!ForOurDevice(m, state) || state.pin.empty()) {
        return sd_bus_error_set(error, kRejected, "no PIN for this device");
    }
    return sd_bus_reply_method_return(m, "s", state.pin.c_str());
}

// A passkey is a PIN of up to six digits.
int RequestPasskey(sd_bus_message* m, void* userdata, sd_bus_error* error) {
    const auto& state = *static_cast<const AgentState*>(userdata);
    const std::string& pin = state.pin;
    if (!ForOurDevice(m, state) || pin.empty() || pin.size() > 6 ||
        pin.find_first_not_of("0123456789") != std::string::npos) {
        return sd_bus_error_set(error, kRejected, "no passkey for this device");
    }
    const std::uint32_t passkey = static_cast<std::uint32_t>(std::stoul(pin));
    return passkey <= kMaxPasskey ? sd_bus_reply_method_return(m, "u", passkey)
                                  : sd_bus_error_set(error, kRejected, "passkey out of range");
}

// A confirmation of the pairing we started, for that device only.
int RequestConfirmation(sd_bus_message* m, void* userdata, sd_bus_error* error) {
    return ForOurDevice(m, *static_cast<const AgentState*>(userdata))
               ? sd_bus_reply_method_return(m, "")
               : sd_bus_error_set(error, kRejected, "not the device being paired");
}

int Reject(sd_bus_message*, void*, sd_bus_error* error) {
    return sd_bus_error_set(error, kRejected, "not asked for");
}

int Acknowledge(sd_bus_message* m, void*, sd_bus_error*) {
    return sd_bus_reply_method_return(m, "");
}

constexpr sd_bus_vtable kAgentVtable[] = {
    SD_BUS_VTABLE_START(0),
    SD_BUS_METHOD("Release", "", "", Acknowledge, SD_BUS_VTABLE_UNPRIVILEGED),
    SD_BUS_METHOD("RequestPinCode", "o", "s", RequestPinCode, SD_BUS_VTABLE_UNPRIVILEGED),
    SD_BUS_METHOD("DisplayPinCode", "os", "", Acknowledge, SD_BUS_VTABLE_UNPRIVILEGED),
    SD_BUS_METHOD("RequestPasskey", "o", "u", RequestPasskey, SD_BUS_VTABLE_UNPRIVILEGED),
    SD_BUS_METHOD("DisplayPasskey", "ouq", "", Acknowledge, SD_BUS_VTABLE_UNPRIVILEGED),
    SD_BUS_METHOD("RequestConfirmation", "ou", "", RequestConfirmation, SD_BUS_VTABLE_UNPRIVILEGED),
    SD_BUS_METHOD("RequestAuthorization", "o", "", Reject, SD_BUS_VTABLE_UNPRIVILEGED),
    SD_BUS_METHOD("AuthorizeService", "os", "", Reject, SD_BUS_VTABLE_UNPRIVILEGED),
    SD_BUS_METHOD("Cancel", "", "", Acknowledge, SD_BUS_VTABLE_UNPRIVILEGED),
    SD_BUS_VTABLE_END};

class CBluezClient final : public BluetoothClient {
  public:
    explicit CBluezClient(const std::atomic<bool>& stop) : m_stop(stop) {}
    bool Connect() { return OpenSystemBus(m_bus); }

    BluetoothStatus Scan(int seconds, std::vector<BluetoothDevice>& devices) override {
        Objects objects;
        BluetoothStatus result = ListObjects(m_bus.Get(), objects);
        if (result != BluetoothStatus::Done || seconds <= 0) {
            return Listed(result, objects, devices);
        }
        std::string error;
        if (!CallPlain(m_bus.Get(), objects.adapter, kAdapterInterface, "StartDiscovery",
                       kCallTimeoutUs, m_stop, error)) {
            return ResultOfError(error);
        }
        PauseUnlessStopped(std::chrono::seconds(seconds), m_stop);
        objects = Objects{};
        // Listed before discovery stops: BlueZ forgets devices that are only seen once it ends.
        result = ListObjects(m_bus.Get(), objects);
        StopDiscovery(objects.adapter);
        return Listed(result, objects, devices);
    }

    BluetoothStatus Pair(const std::string& address, const std::string& pin,
                         int searchSeconds) override {
        Objects objects;
        BluetoothStatus result = Search(address, searchSeconds, objects);
        if (result != BluetoothStatus::Done) {
            return result;
        }
        const DeviceEntry device = *FindDevice(objects, address);
        if (!device.device.paired) {
            result = PairWithAgent(device.path, pin);
            if (result != BluetoothStatus::Done) {
                return result;
            }
        }
        return SetTrusted(device.path) ? BluetoothStatus::Done : BluetoothStatus::Failed;
    }

    BluetoothStatus Unpair(const std::string& address) override {
        Objects objects;
        const BluetoothStatus result = ListObjects(m_bus.Get(), objects);
        const DeviceEntry* device = FindDevice(objects, address);
        if (result != BluetoothStatus::Done || device == nullptr) {
            return result != BluetoothStatus::Done ? result : BluetoothStatus::NotFound;
        }
        Error error;
        return sd_bus_call_method(m_bus.Get(), kService, objects.adapter.c_str(), kAdapterInterface,
                                  "RemoveDevice", error.Get(), nullptr, "o",
                                  device->path.c_str()) >= 0
                   ? BluetoothStatus::Done
                   : ResultOfError(error.Name());
    }

  private:
    // Sent even after Ctrl-C: discovery is not left running.
    void StopDiscovery(const std::string& adapter) {
        sd_bus_call_method(m_bus.Get(), kService, adapter.c_str(), kAdapterInterface,
                           "StopDiscovery", nullptr, nullptr, "");
    }

    static BluetoothStatus Listed(BluetoothStatus result, const Objects& objects,
                                  std::vector<BluetoothDevice>& devices) {
        for (const DeviceEntry& entry : objects.devices) {
            devices.push_back(entry.device);
        }
        return result;
    }

    // The device known to the adapter, or found by discovery within seconds.
    BluetoothStatus Search(const std::string& address, int seconds, Objects& objects) {
        BluetoothStatus result = ListObjects(m_bus.Get(), objects);
        if (result != BluetoothStatus::Done || FindDevice(objects, address) != nullptr) {
            return result;
        }
        std::string error;
        if (!CallPlain(m_bus.Get(), objects.adapter, kAdapterInterface, "StartDiscovery",
                       kCallTimeoutUs, m_stop, error)) {
            return ResultOfError(error);
        }
        const std::string adapter = objects.adapter;
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
        result = BluetoothStatus::NotFound;
        while (result == BluetoothStatus::NotFound && std::chrono::steady_clock::now() < end &&
               PauseUnlessStopped(kSearchPoll, m_stop)) {
            objects = Objects{};
            if (ListObjects(m_bus.Get(), objects) == BluetoothStatus::Done &&
                FindDevice(objects, address) != nullptr) {
                result = BluetoothStatus::Done;
            }
        }
        StopDiscovery(adapter);
        return result;
    }

    BluetoothStatus PairWithAgent(const std::string& devicePath, const std::string& pin) {
        AgentState state{devicePath, pin};
        Slot object;
        Error error;
        if (sd_bus_add_object_vtable(m_bus.Get(), object.Out(), kAgentPath, kAgentInterface,
                                     kAgentVtable, &state) < 0 ||
            sd_bus_call_method(m_bus.Get(), kService, "/org/bluez", "org.bluez.AgentManager1",
                               "RegisterAgent", error.Get(), nullptr, "os", kAgentPath,
                               "KeyboardDisplay") < 0) {
            return ResultOfError(error.Name());
        }
        // Default agent, so a PIN request reaches this one whoever else registered.
        sd_bus_call_method(m_bus.Get(), kService, "/org/bluez", "org.bluez.AgentManager1",
                           "RequestDefaultAgent", nullptr, nullptr, "o", kAgentPath);
        std::string errorName;
        const bool paired = CallPlain(m_bus.Get(), devicePath, kDeviceInterface, "Pair",
                                      kPairTimeoutUs, m_stop, errorName);
        if (errorName == kStoppedError) {  // BlueZ would go on asking the agent
            sd_bus_call_method(m_bus.Get(), kService, devicePath.c_str(), kDeviceInterface,
                               "CancelPairing", nullptr, nullptr, "");
        }
        sd_bus_call_method(m_bus.Get(), kService, "/org/bluez", "org.bluez.AgentManager1",
                           "UnregisterAgent", nullptr, nullptr, "o", kAgentPath);
        state.pin.assign(state.pin.size(), '\0');
        if (paired || errorName == "org.bluez.Error.AlreadyExists") {
            return BluetoothStatus::Done;
        }
        return ResultOfError(errorName);
    }

    bool SetTrusted(const std::string& devicePath) {
        return sd_bus_set_property(m_bus.Get(), kService, devicePath.c_str(), kDeviceInterface,
                                   "Trusted", nullptr, "b", 1) >= 0;
    }

    const std::atomic<bool>& m_stop;
    Bus m_bus;
};

}  // namespace

std::unique_ptr<BluetoothClient> MakeBluetoothClient(const std::atomic<bool>& stop) {
    auto client = std::make_unique<CBluezClient>(stop);
    if (!client->Connect()) {
        return nullptr;
    }
    return client;
}

}  // namespace tarvek
