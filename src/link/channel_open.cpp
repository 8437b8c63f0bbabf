#include "link/channel_open.h"

namespace tarvek {

int OpenChannel(ChannelSet& channels, const PortRequest& request) {
    channels.kind = request.kind;
    switch (request.kind) {
        case TransportKind::Serial: {
            const SerialLineSettings& line = request.line;
            if (channels.serial.Open(request.portName, line.baudRate, line.parityIndex,
                                     line.dataBitsIndex, line.stopBitsIndex, line.flowIndex) != 0) {
                channels.serial.Close();
                return -1;
            }
            return 0;
        }
        case TransportKind::Usb:
            if (channels.usb.Open(request.portName) != 0) {
                channels.usb.Close();
                return -1;
            }
            return 0;
        case TransportKind::None:
            break;
    }
    return 0;
}

void CloseChannel(ChannelSet& channels) {
    if (channels.kind == TransportKind::Usb) {
        channels.usb.Close();
    } else {
        channels.serial.Close();
    }
}

}  // namespace tarvek
