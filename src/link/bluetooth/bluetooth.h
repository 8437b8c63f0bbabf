// Bluetooth printers: finding, pairing and forgetting them, and the serial channel to a paired
// one ("bt:AA:BB:CC:DD:EE:FF"). On Linux BlueZ does the work over the system bus (bluez_*.cpp),
// on Windows the Bluetooth APIs and an RFCOMM socket (bluetooth_*win32.cpp);
// where there is no such client MakeBluetoothClient and MakeBluetoothLink give nullptr.
#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "link/clock.h"
#include "link/printer_link.h"

namespace tarvek {

// The serial port profile, the channel a label printer speaks on.
inline constexpr char kSerialPortUuid[] = "00001101-0000-1000-8000-00805f9b34fb";
// The major device class of printers and scanners (bits 8..12 of the class of device).
inline constexpr unsigned kImagingMajorClass = 6;

struct BluetoothDevice {
    std::string address;  // "AA:BB:CC:DD:EE:FF"
    std::string name;
    bool paired = false;
    bool trusted = false;
    bool serial = false;  // offers the serial port profile, or is of the imaging class
};

enum class BluetoothStatus : int {
    Done,
    NoService,  // no system bus, or no Bluetooth service on it
    NoAdapter,  // no Bluetooth adapter
    NotFound,   // no device of that address (in range, or known)
    NotPaired,  // known but not paired
    NoSerial,   // the device offers no serial port
    Refused,    // the device refused the pairing (a wrong PIN) or the connection
    Failed,     // anything else the service reported
};

class BluetoothClient {
  public:
    virtual ~BluetoothClient() = default;
    // Looks for devices for seconds (0: none), then lists every device the adapter knows.
    virtual BluetoothStatus Scan(int seconds, std::vector<BluetoothDevice>& devices) = 0;
    // Pairs with the device, looking for it for at most searchSeconds when it is not known,
    // answering its PIN request with pin, and trusts it.
    virtual BluetoothStatus Pair(const std::string& address, const std::string& pin,
                                 int searchSeconds) = 0;
    virtual BluetoothStatus Unpair(const std::string& address) = 0;
};

// "bt:" and six pairs of hex digits separated by colons; the address in capitals.
bool ParseBluetoothPortName(const std::string& name, std::string& address);
// The port name of a device: "bt:" and its address.
std::string BluetoothPortName(const std::string& address);
// Six pairs of hex digits separated by colons, in any case; false for anything else.
bool NormalizeBluetoothAddress(const std::string& text, std::string& address);
// Whether a device with this class and these service UUIDs offers a serial channel.
bool OffersSerialPort(unsigned deviceClass, const std::vector<std::string>& uuids);

// Every wait of the client and of the link's Open ends early once stop is set (Ctrl-C); what
// was under way is called off (a pairing cancelled, discovery stopped).
std::unique_ptr<BluetoothClient> MakeBluetoothClient(const std::atomic<bool>& stop);
// A link of the serial kind over the serial port profile of a paired device (Open takes
// "bt:ADDRESS"; the line settings play no part).
std::unique_ptr<SerialPrinterLink> MakeBluetoothLink(Clock& clock, const std::atomic<bool>& stop,
                                                     InputPurge purge = InputPurge::BeforeWrite);

}  // namespace tarvek
