#include "link/bluetooth/bluez_bus.h"

#include <algorithm>
#include <cstring>
#include <thread>

namespace tarvek::bluez {
namespace {

// How often a wait looks at the stop flag (Ctrl-C).
constexpr auto kStopCheck = std::chrono::milliseconds(100);
constexpr std::uint64_t kStopCheckUs = 100'000;

std::string ReadString(sd_bus_message* m) {
    const char* text = nullptr;
    return sd_bus_message_enter_container(m, 'v', "s") > 0 &&
                   sd_bus_message_read(m, "s", &text) > 0 &&
                   sd_bus_message_exit_container(m) >= 0 && text != nullptr
               ? text
               : "";
}

bool ReadBool(sd_bus_message* m) {
    int value = 0;
    return sd_bus_message_enter_container(m, 'v', "b") > 0 &&
           sd_bus_message_read(m, "b", &value) > 0 && sd_bus_message_exit_container(m) >= 0 &&
           value != 0;
}

// One property of a device (a value of another type than BlueZ gives is left unread).
int ReadDeviceProperty(sd_bus_message* m, const std::string& key, BluetoothDevice& device,
                       unsigned& deviceClass, std::vector<std::string>& uuids) {
    if (key == "Address") {
        NormalizeBluetoothAddress(ReadString(m), device.address);
    } else if (key == "Alias" || (key == "Name" && device.name.empty())) {
        device.name = ReadString(m);
    } else if (key == "Paired") {
        device.paired = ReadBool(m);
    } else if (key == "Trusted") {
        device.trusted = ReadBool(m);
    } else if (key == "Class" && sd_bus_message_enter_container(m, 'v', "u") > 0) {
        std::uint32_t value = 0;
        sd_bus_message_read(m, "u", &value);
        deviceClass = value;
        return sd_bus_message_exit_container(m);
    } else if (key == "UUIDs" && sd_bus_message_enter_container(m, 'v', "as") > 0) {
        char** list = nullptr;
        if (sd_bus_message_read_strv(m, &list) >= 0 && list != nullptr) {
            for (char** item = list; *item != nullptr; ++item) {
                uuids.emplace_back(*item);
                free(*item);
            }
            free(list);
        }
        return sd_bus_message_exit_container(m);
    } else {
        return sd_bus_message_skip(m, "v");
    }
    return 0;
}

int ReadDevice(sd_bus_message* m, BluetoothDevice& device) {
    unsigned deviceClass = 0;
    std::vector<std::string> uuids;
    int r = sd_bus_message_enter_container(m, 'a', "{sv}");
    while (r > 0 && (r = sd_bus_message_enter_container(m, 'e', "sv")) > 0) {
        const char* key = nullptr;
        if ((r = sd_bus_message_read(m, "s", &key)) < 0 ||
            (r = ReadDeviceProperty(m, key, device, deviceClass, uuids)) < 0) {
            return r;
        }
        r = sd_bus_message_exit_container(m);
    }
    device.serial = OffersSerialPort(deviceClass, uuids);
    return r < 0 ? r : sd_bus_message_exit_container(m);
}

// One object: its path and interfaces.
int ReadObject(sd_bus_message* m, Objects& objects) {
    const char* path = nullptr;
    int r = sd_bus_message_read(m, "o", &path);
    if (r < 0 || (r = sd_bus_message_enter_container(m, 'a', "{sa{sv}}")) < 0) {
        return r;
    }
    while ((r = sd_bus_message_enter_container(m, 'e', "sa{sv}")) > 0) {
        const char* interface = nullptr;
        if ((r = sd_bus_message_read(m, "s", &interface)) < 0) {
            return r;
        }
        if (std::strcmp(interface, kDeviceInterface) == 0) {
            DeviceEntry entry;
            entry.path = path;
            r = ReadDevice(m, entry.device);
            objects.devices.push_back(entry);
        } else {
            if (std::strcmp(interface, kAdapterInterface) == 0 &&
                (objects.adapter.empty() || objects.adapter > path)) {
                objects.adapter = path;
            }
            r = sd_bus_message_skip(m, "a{sv}");
        }
        if (r < 0 || (r = sd_bus_message_exit_container(m)) < 0) {
            return r;
        }
    }
    return r < 0 ? r : sd_bus_message_exit_container(m);
}

struct PendingCall {
    Message* reply;
    bool done = false;
};

int OnReply(sd_bus_message* m, void* userdata, sd_bus_error*) {
    auto* pending = static_cast<PendingCall*>(userdata);
    *pending->reply->Out() = sd_bus_message_ref(m);
    pending->done = true;
    return 0;
}

}  // namespace

BluetoothStatus ListObjects(sd_bus* bus, Objects& objects) {
    Error error;
    Message reply;
    if (sd_bus_call_method(bus, kService, "/", "org.freedesktop.DBus.ObjectManager",
                           "GetManagedObjects", error.Get(), reply.Out(), "") < 0) {
        return BluetoothStatus::NoService;
    }
    sd_bus_message* m = reply.Get();
    int r = sd_bus_message_enter_container(m, 'a', "{oa{sa{sv}}}");
    while (r > 0 && (r = sd_bus_message_enter_container(m, 'e', "oa{sa{sv}}")) > 0) {
        if ((r = ReadObject(m, objects)) < 0) {
            break;
        }
        r = sd_bus_message_exit_container(m);
    }
    if (r < 0) {
        return BluetoothStatus::Failed;
    }
    // Devices of the first adapter only; the path of a device lies under its adapter's.
    std::vector<DeviceEntry> own;
    for (DeviceEntry& entry : objects.devices) {
        if (!objects.adapter.empty() &&
            entry.path.compare(0, objects.adapter.size() + 1, objects.adapter + "/") == 0) {
            entry.adapter = objects.adapter;
            own.push_back(entry);
        }
    }
    objects.devices = own;
    return objects.adapter.empty() ? BluetoothStatus::NoAdapter : BluetoothStatus::Done;
}

const DeviceEntry* FindDevice(const Objects& objects, const std::string& address) {
    for (const DeviceEntry& entry : objects.devices) {
        if (entry.device.address == address) {
            return &entry;
        }
    }
    return nullptr;
}

bool CallServing(sd_bus* bus, sd_bus_message* call, std::uint64_t timeoutUs,
                 const std::atomic<bool>& stop, Message& reply, std::string& errorName) {
    PendingCall pending{&reply};
    Slot slot;
    if (sd_bus_call_async(bus, slot.Out(), call, OnReply, &pending, timeoutUs) < 0) {
        errorName = "org.freedesktop.DBus.Error.Failed";
        return false;
    }
    // sd-bus ends the call with a timeout error of its own, so the loop always ends.
    while (!pending.done) {
        if (stop.load()) {
            errorName = kStoppedError;
            return false;  // the slot's end drops the call
        }
        const int r = sd_bus_process(bus, nullptr);
        if (r < 0) {
            errorName = "org.freedesktop.DBus.Error.Disconnected";
            return false;
        }
        if (r == 0 && sd_bus_wait(bus, kStopCheckUs) < 0 && !stop.load()) {
            errorName = "org.freedesktop.DBus.Error.Disconnected";
            return false;
        }
    }
    const sd_bus_error* error = sd_bus_message_get_error(reply.Get());
    errorName = error != nullptr && error->name != nullptr ? error->name : "";
    return error == nullptr;
}

bool CallPlain(sd_bus* bus, const std::string& path, const char* interface, const char* member,
               std::uint64_t timeoutUs, const std::atomic<bool>& stop, std::string& errorName) {
    Message call;
    Message reply;
    return sd_bus_message_new_method_call(bus, call.Out(), kService, path.c_str(), interface,
                                          member) >= 0 &&
           CallServing(bus, call.Get(), timeoutUs, stop, reply, errorName);
}

bool PauseUnlessStopped(std::chrono::milliseconds time, const std::atomic<bool>& stop) {
    const auto end = std::chrono::steady_clock::now() + time;
    while (!stop.load() && std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(
            kStopCheck, end - std::chrono::steady_clock::now()));
    }
    return !stop.load();
}

BluetoothStatus ResultOfError(const std::string& errorName) {
    static const char* const kRefusals[] = {
        "org.bluez.Error.AuthenticationFailed", "org.bluez.Error.AuthenticationRejected",
        "org.bluez.Error.AuthenticationCanceled", "org.bluez.Error.Rejected",
        "org.bluez.Error.ConnectionAttemptFailed"};
    for (const char* refusal : kRefusals) {
        if (errorName == refusal) {
            return BluetoothStatus::Refused;
        }
    }
    if (errorName == "org.bluez.Error.DoesNotExist") {
        return BluetoothStatus::NotFound;
    }
    if (errorName == "org.bluez.Error.NotAvailable" || errorName == "org.bluez.Error.NotReady") {
        return BluetoothStatus::NoAdapter;
    }
    if (errorName == "org.freedesktop.DBus.Error.ServiceUnknown") {
        return BluetoothStatus::NoService;
    }
    return BluetoothStatus::Failed;
}

}  // namespace tarvek::bluez
