// Where no Bluetooth client is built in: no client, no link.
#include "link/bluetooth.h"

namespace tarvek {

std::unique_ptr<BluetoothClient> MakeBluetoothClient() {
    return nullptr;
}

std::unique_ptr<SerialPrinterLink> MakeBluetoothLink(Clock&, InputPurge) {
    return nullptr;
}

}  // namespace tarvek
