// Where no Bluetooth client is built in: no client, no link.
#include "link/bluetooth/bluetooth.h"

namespace tarvek {

std::unique_ptr<BluetoothClient> MakeBluetoothClient(const std::atomic<bool>&) {
    return nullptr;
}

std::unique_ptr<SerialPrinterLink> MakeBluetoothLink(Clock&, const std::atomic<bool>&, InputPurge) {
    return nullptr;
}

}  // namespace tarvek
