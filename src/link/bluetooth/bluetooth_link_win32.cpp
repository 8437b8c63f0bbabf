// The serial channel of a paired Bluetooth printer on Windows: an RFCOMM socket to its serial
// port profile, the channel found by Windows in the printer's service records; no COM port is
// needed. Once connected, the socket is read and written as the network link's is.
#include "link/bluetooth/bluetooth_system_win32.h"
#include "link/network/socket_link.h"
#include "link/network/winsock_win32.h"

namespace tarvek {
namespace {

// Paging the printer, searching its service records and the connect itself.
constexpr std::uint32_t kConnectLimitMs = 20000;

bool ConnectRfcomm(BluetoothSystem& system, const std::atomic<bool>& stop,
                   const std::string& portName, TcpSocket& socket) {
    std::string address;
    if (!ParseBluetoothPortName(portName, address)) {
        return false;
    }
    SOCKADDR_BTH printer{};
    printer.addressFamily = AF_BTH;
    printer.btAddr = BluetoothAddressValue(address);
    printer.serviceClassId = kSerialPortServiceClass;
    printer.port = 0;  // Windows looks the channel up
    const SOCKET s = system.OpenSocket();
    if (s == INVALID_SOCKET) {
        return false;
    }
    u_long nonBlocking = 1;
    if (ioctlsocket(s, FIONBIO, &nonBlocking) == 0 &&
        AwaitConnect(s, system.Connect(s, printer), kConnectLimitMs, &stop) ==
            TcpConnect::Connected) {
        socket.Adopt(static_cast<std::intptr_t>(s));
        return true;
    }
    closesocket(s);
    return false;
}

}  // namespace

std::unique_ptr<SerialPrinterLink> MakeBluetoothLink(Clock& clock, const std::atomic<bool>& stop,
                                                     InputPurge purge,
                                                     std::shared_ptr<BluetoothSystem> system) {
    return MakeSocketLink(clock, purge,
                          [system, &stop](const std::string& portName, TcpSocket& socket) {
                              return ConnectRfcomm(*system, stop, portName, socket);
                          });
}

std::unique_ptr<SerialPrinterLink> MakeBluetoothLink(Clock& clock, const std::atomic<bool>& stop,
                                                     InputPurge purge) {
    return MakeBluetoothLink(clock, stop, purge, MakeWindowsBluetoothSystem());
}

}  // namespace tarvek
