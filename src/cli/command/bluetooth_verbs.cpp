#include "cli/command/bluetooth_verbs.h"

#include "cli/command/cli_platform.h"

namespace tarvek::cli {
namespace {

// How long pair looks for a device the adapter does not know yet.
constexpr int kPairSearchSeconds = 10;

// The verbs' failures belong to no step of a printer; a "bt:" port's to the port's.
int BluetoothFailure(const Platform& platform, Output& output, BluetoothStatus result,
                     const std::string& address, Step step, const std::string& pinVariable = "") {
    return Fail(output, BluetoothOutcome(platform, result, address, step, pinVariable));
}

// The address a verb names, in capitals; a refused one is reported.
bool Address(Output& output, const std::string& text, std::string& address, int& exit) {
    if (NormalizeBluetoothAddress(text, address)) {
        return true;
    }
    InputError error;
    error.problem = Problem::BadValue;
    error.key = "ADDRESS";
    error.value = text;
    exit = Fail(output, InputOutcome(error));
    return false;
}

}  // namespace

Outcome BluetoothOutcome(const Platform& platform, BluetoothStatus result,
                         const std::string& address, Step step, const std::string& pinVariable) {
    if (platform.interrupted.load()) {
        return Failed(failure::Interrupted{}, step);
    }
    if (result == BluetoothStatus::Done) {
        return Outcome{};
    }
    return Failed(failure::Bluetooth{result, address, pinVariable}, step);
}

std::unique_ptr<BluetoothClient> BluetoothClientFor(Platform& platform) {
    return platform.bluetooth ? platform.bluetooth() : nullptr;
}

bool ReadPin(const Platform& platform, Output& output, const std::string& variable,
             std::string& pin, int& exit) {
    if (platform.env(variable, pin) && !pin.empty()) {
        return true;
    }
    InputError error;
    error.problem = Problem::EnvMissing;
    error.key = "--pin-env";
    error.detail = variable;
    exit = Fail(output, InputOutcome(error));
    return false;
}

BluetoothStatus PairedState(BluetoothClient* client, const std::string& address) {
    std::vector<BluetoothDevice> devices;
    BluetoothStatus result =
        client != nullptr ? client->Scan(0, devices) : BluetoothStatus::NoService;
    if (result == BluetoothStatus::Done) {
        result = BluetoothStatus::NotPaired;  // a device the adapter does not know is unpaired
        for (const BluetoothDevice& device : devices) {
            if (device.address == address) {
                result = !device.serial  ? BluetoothStatus::NoSerial
                         : device.paired ? BluetoothStatus::Done
                                         : BluetoothStatus::NotPaired;
            }
        }
    }
    return result;
}

int BluetoothScan(Invocation& i) {
    const std::unique_ptr<BluetoothClient> client = BluetoothClientFor(i.platform);
    std::vector<BluetoothDevice> devices;
    const BluetoothStatus result = client != nullptr
                                       ? client->Scan(i.options.bluetooth.seconds, devices)
                                       : BluetoothStatus::NoService;
    if (result != BluetoothStatus::Done || i.platform.interrupted.load()) {
        return BluetoothFailure(i.platform, i.output, result, "", Step::None);
    }
    i.output.BluetoothDevices(devices);
    return kExitDone;
}

int BluetoothPair(Invocation& i) {
    const BluetoothOptions& o = i.options.bluetooth;
    std::string address;
    int exit = kExitDone;
    if (!Address(i.output, o.address, address, exit)) {
        return exit;
    }
    // The PIN is read before anything is asked of the device, and never shown.
    std::string pin;
    if (!ReadPin(i.platform, i.output, o.pinEnv, pin, exit)) {
        return exit;
    }
    const std::unique_ptr<BluetoothClient> client = BluetoothClientFor(i.platform);
    const BluetoothStatus result = client != nullptr
                                       ? client->Pair(address, pin, kPairSearchSeconds)
                                       : BluetoothStatus::NoService;
    pin.assign(pin.size(), '\0');
    if (result != BluetoothStatus::Done) {
        return BluetoothFailure(i.platform, i.output, result, address, Step::None, o.pinEnv);
    }
    i.output.BluetoothPaired(address, true);
    return kExitDone;
}

int BluetoothUnpair(Invocation& i) {
    std::string address;
    int exit = kExitDone;
    if (!Address(i.output, i.options.bluetooth.address, address, exit)) {
        return exit;
    }
    const std::unique_ptr<BluetoothClient> client = BluetoothClientFor(i.platform);
    const BluetoothStatus result =
        client != nullptr ? client->Unpair(address) : BluetoothStatus::NoService;
    if (result != BluetoothStatus::Done) {
        return BluetoothFailure(i.platform, i.output, result, address, Step::None);
    }
    i.output.BluetoothPaired(address, false);
    return kExitDone;
}

std::unique_ptr<SerialPrinterLink> BluetoothPortLink(Platform& platform, Output& output,
                                                     const PortRequest& port, int& exit) {
    std::string address;
    ParseBluetoothPortName(port.portName, address);
    const BluetoothStatus result = PairedState(BluetoothClientFor(platform).get(), address);
    std::unique_ptr<SerialPrinterLink> link =
        result == BluetoothStatus::Done && platform.bluetoothLink ? platform.bluetoothLink()
                                                                  : nullptr;
    if (link == nullptr) {
        exit = BluetoothFailure(
            platform, output, result == BluetoothStatus::Done ? BluetoothStatus::NoService : result,
            address, Step::Port);
    }
    return link;
}

}  // namespace tarvek::cli
