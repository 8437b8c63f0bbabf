// The Bluetooth verbs (scan, pair, unpair) and the check a "bt:" port passes before its link
// is opened: the device known, paired and offering a serial port.
#pragma once

#include <memory>
#include <string>

#include "cli/command/verb_table.h"
#include "link/bluetooth.h"

namespace tarvek::cli {

int BluetoothScan(Invocation& invocation);
int BluetoothPair(Invocation& invocation);
int BluetoothUnpair(Invocation& invocation);

// The link to the paired printer a "bt:" port names; nullptr (and the exit code, the failure
// reported) when the device cannot be reached through it.
std::unique_ptr<SerialPrinterLink> BluetoothPortLink(Platform& platform, Output& output,
                                                     const PortRequest& port, int& exit);

}  // namespace tarvek::cli
