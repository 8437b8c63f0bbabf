// The Bluetooth verbs (scan, pair, unpair) and the check a "bt:" port passes before its link
// is opened: the device known, paired and offering a serial port.
#pragma once

#include <memory>
#include <string>

#include "cli/command/verb_table.h"
#include "link/bluetooth/bluetooth.h"

namespace tarvek::cli {

int BluetoothScan(Invocation& invocation);
int BluetoothPair(Invocation& invocation);
int BluetoothUnpair(Invocation& invocation);

// The service's result as the outcome of step (none when done); after Ctrl-C whatever the
// service said is the interruption.
Outcome BluetoothOutcome(const Platform& platform, BluetoothStatus result,
                         const std::string& address, Step step, const std::string& pinVariable);
std::unique_ptr<BluetoothClient> BluetoothClientFor(Platform& platform);
// The PIN in the environment variable (never shown); false (the failure reported, exit set)
// when the variable is not set or empty.
bool ReadPin(const Platform& platform, Output& output, const std::string& variable,
             std::string& pin, int& exit);
// Done for a paired device that offers a serial port; NotPaired, NoSerial or the service's
// failure otherwise.
BluetoothStatus PairedState(BluetoothClient* client, const std::string& address);

// The link to the paired printer a "bt:" port names; nullptr (and the exit code, the failure
// reported) when the device cannot be reached through it.
std::unique_ptr<SerialPrinterLink> BluetoothPortLink(Platform& platform, Output& output,
                                                     const PortRequest& port, int& exit);

}  // namespace tarvek::cli
