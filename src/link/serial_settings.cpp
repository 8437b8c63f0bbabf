#include "link/serial_settings.h"

#include <algorithm>
#include <iterator>

namespace tarvek {
namespace {

void MapFlow(int flowIndex, DcbFields& dcb) {
    switch (flowIndex) {
        case kFlowDtrDsr:
            dcb.fDtrControl = kDtrControlHandshake;
            dcb.fRtsControl = kRtsControlDisable;
            dcb.fOutxCtsFlow = 0;
            dcb.fOutxDsrFlow = 0;
            dcb.fOutX = 0;
            dcb.fInX = 0;
            break;
        case kFlowXonXoff:
            dcb.fOutX = 1;
            dcb.fInX = 1;
            dcb.XonChar = 0x11;
            dcb.XoffChar = 0x13;
            dcb.XonLim = 1;
            dcb.XoffLim = 1;
            dcb.fDtrControl = kDtrControlDisable;
            dcb.fRtsControl = kRtsControlDisable;
            dcb.fOutxCtsFlow = 0;
            dcb.fOutxDsrFlow = 0;
            break;
        default:
            break;
    }
    dcb.fBinary = 1;
    dcb.fTXContinueOnXoff = 1;
    dcb.fDsrSensitivity = 0;
    dcb.fErrorChar = 0;
    dcb.fNull = 0;
    dcb.fAbortOnError = 0;
}

}  // namespace

bool IsSupportedBaudRate(int baudRate) {
    return std::find(std::begin(kPortBaudRates), std::end(kPortBaudRates), baudRate) !=
           std::end(kPortBaudRates);
}

std::uint32_t WriteTimeoutMultiplier(int baudRate) {
    return baudRate > 0 ? static_cast<std::uint32_t>(19200 / baudRate) : 0;
}

int MapToDcb(const SerialLineSettings& settings, DcbFields& dcb) {
    if (!IsSupportedBaudRate(settings.baudRate)) {
        return -1;
    }
    dcb.BaudRate = static_cast<std::uint32_t>(settings.baudRate);
    switch (settings.parityIndex) {
        case kParityNone:
            dcb.Parity = kDcbNoParity;
            dcb.fParity = 0;
            break;
        case kParityOdd:
            dcb.Parity = kDcbOddParity;
            dcb.fParity = 1;
            break;
        case kParityEven:
            dcb.Parity = kDcbEvenParity;
            dcb.fParity = 1;
            break;
        default:
            return -1;
    }
    switch (settings.dataBitsIndex) {
        case kDataBits7:
            dcb.ByteSize = 7;
            break;
        case kDataBits8:
            dcb.ByteSize = 8;
            break;
        default:
            return -1;
    }
    switch (settings.stopBitsIndex) {
        case kStopBits1:
            dcb.StopBits = kDcbOneStopBit;
            break;
        case kStopBits2:
            dcb.StopBits = kDcbTwoStopBits;
            break;
        default:
            return -1;
    }
    MapFlow(settings.flowIndex, dcb);
    return 0;
}

}  // namespace tarvek
