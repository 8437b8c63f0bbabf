#include "cli/command/bluetooth_verbs.h"

#include "cli/command/cli_app.h"

namespace tarvek::cli {
namespace {

// How long pair looks for a device the adapter does not know yet.
constexpr int kPairSearchSeconds = 10;

// The verbs' failures belong to no step of a printer; a "bt:" port's to the port's. After
// Ctrl-C whatever the service said is the interruption.
int BluetoothFailure(const Platform& platform, Output& output, BluetoothStatus result,
                     const std::string& address, Step step, const std::string& pinVariable = "") {
    if (platform.interrupted.load()) {
        return Fail(output, Failed(failure::Interrupted{}, step));
    }
    return Fail(output, Failed(failure::Bluetooth{result, address, pinVariable}, step));
}

std::unique_ptr<BluetoothClient> Client(Platform& platform) {
    return platform.bluetooth ? platform.bluetooth() : nullptr;
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

int BluetoothScan(Invocation& i) {
    const std::unique_ptr<BluetoothClient> client = Client(i.platform);
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
    if (!i.platform.env(o.pinEnv, pin) || pin.empty()) {
        InputError error;
        error.problem = Problem::EnvMissing;
        error.key = "--pin-env";
        error.detail = o.pinEnv;
        return Fail(i.output, InputOutcome(error));
    }
    const std::unique_ptr<BluetoothClient> client = Client(i.platform);
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
    const std::unique_ptr<BluetoothClient> client = Client(i.platform);
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
    const std::unique_ptr<BluetoothClient> client = Client(platform);
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
