// The operating-system side of the Windows Bluetooth client and link that tests replace (Wine
// has no Bluetooth stack): the Bluetooth APIs of bthprops.cpl, loaded at run time, one method
// each, and the making and connecting of the RFCOMM socket. A radio is a handle closed with
// CloseHandle; a connected socket is then used as any Winsock socket, so a test may connect
// a TCP one in its place.
#pragma once

#include <winsock2.h>
#include <windows.h>
#include <ws2bth.h>
#include <bluetoothapis.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "link/bluetooth/bluetooth.h"

namespace tarvek {

// The serial port profile's service class, {00001101-0000-1000-8000-00805F9B34FB}.
inline constexpr GUID kSerialPortServiceClass = {
    0x00001101, 0x0000, 0x1000, {0x80, 0x00, 0x00, 0x80, 0x5F, 0x9B, 0x34, 0xFB}};

class BluetoothSystem {
  public:
    virtual ~BluetoothSystem() = default;
    // Loads bthprops.cpl (once) and every function below; false when one is missing.
    virtual bool Load() = 0;
    // The first radio; nullptr when there is none.
    virtual HANDLE OpenRadio() = 0;
    virtual HBLUETOOTH_DEVICE_FIND FindFirstDevice(const BLUETOOTH_DEVICE_SEARCH_PARAMS& params,
                                                   BLUETOOTH_DEVICE_INFO& device) = 0;
    virtual bool FindNextDevice(HBLUETOOTH_DEVICE_FIND find, BLUETOOTH_DEVICE_INFO& device) = 0;
    virtual void FindDeviceClose(HBLUETOOTH_DEVICE_FIND find) = 0;
    // services has room for count; count becomes the number of services.
    virtual DWORD EnumerateInstalledServices(HANDLE radio, const BLUETOOTH_DEVICE_INFO& device,
                                             DWORD& count, GUID* services) = 0;
    virtual HRESULT RegisterForAuthenticationEx(const BLUETOOTH_DEVICE_INFO& device,
                                                HBLUETOOTH_AUTHENTICATION_REGISTRATION& handle,
                                                PFN_AUTHENTICATION_CALLBACK_EX callback,
                                                void* context) = 0;
    virtual HRESULT SendAuthenticationResponseEx(HANDLE radio,
                                                 BLUETOOTH_AUTHENTICATE_RESPONSE& response) = 0;
    virtual HRESULT AuthenticateDeviceEx(HANDLE radio, BLUETOOTH_DEVICE_INFO& device,
                                         BLUETOOTH_AUTHENTICATION_REQUIREMENTS needs) = 0;
    virtual void UnregisterAuthentication(HBLUETOOTH_AUTHENTICATION_REGISTRATION handle) = 0;
    virtual DWORD SetServiceState(HANDLE radio, const BLUETOOTH_DEVICE_INFO& device,
                                  const GUID& service, DWORD flags) = 0;
    virtual DWORD RemoveDevice(const BLUETOOTH_ADDRESS& address) = 0;
    // An RFCOMM stream socket (Winsock started); INVALID_SOCKET when none could be made.
    virtual SOCKET OpenSocket() = 0;
    // Starts the connect: 0, or the Winsock error (WSAEWOULDBLOCK while under way).
    virtual int Connect(SOCKET s, const SOCKADDR_BTH& address) = 0;
};

std::unique_ptr<BluetoothSystem> MakeWindowsBluetoothSystem();

// "00:19:01:2A:3B:4C" and the number Windows keeps it as, 0x0019012A3B4C.
BTH_ADDR BluetoothAddressValue(const std::string& address);
std::string BluetoothAddressText(BTH_ADDR value);

// The client and the link over the given system; every wait that can end early ends at stop.
std::unique_ptr<BluetoothClient> MakeBluetoothClient(std::unique_ptr<BluetoothSystem> system,
                                                     const std::atomic<bool>& stop);
std::unique_ptr<SerialPrinterLink> MakeBluetoothLink(Clock& clock, const std::atomic<bool>& stop,
                                                     InputPurge purge,
                                                     std::shared_ptr<BluetoothSystem> system);

}  // namespace tarvek
