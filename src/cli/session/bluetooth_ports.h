// Paired Bluetooth printers among the machine's ports: "ports" lists each paired device that
// offers a serial port as "bt:ADDRESS" (also named by the COM port Windows made for it, where
// there is one), a named "bt:" port is described from the Bluetooth service, and "detect" and
// "--port auto" probe them too, one at a time (BlueZ hands a profile's connection to one
// client at a time).
#pragma once

#include <functional>
#include <memory>

#include "cli/session/port_finder.h"
#include "link/bluetooth/bluetooth.h"

namespace tarvek::cli {

using BluetoothClientFactory = std::function<std::unique_ptr<BluetoothClient>()>;

// The finder with the Bluetooth service's printers added; detectBluetooth probes "bt:" ports.
PortFinder WithBluetoothPorts(PortFinder finder, BluetoothClientFactory client,
                              PortFinder::DetectFunction detectBluetooth);

}  // namespace tarvek::cli
