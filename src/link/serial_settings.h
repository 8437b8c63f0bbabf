// The line settings of a COM port as the dialogs choose them (list positions), and their
// mapping to the fields of a Windows DCB. The mapping is pure, so it is tested on every
// platform; serial_win32.cpp copies the fields into the real DCB.
#pragma once

#include <cstdint>

namespace tarvek {

// The positions of the dialogs' lists.
enum : int { kParityNone = 0, kParityOdd = 1, kParityEven = 2 };
enum : int { kDataBits7 = 0, kDataBits8 = 1 };
enum : int { kStopBits1 = 0, kStopBits2 = 1 };
enum : int { kFlowDtrDsr = 0, kFlowXonXoff = 1 };

struct SerialLineSettings {
    int baudRate;
    int parityIndex;
    int dataBitsIndex;
    int stopBitsIndex;
    int flowIndex;
};

// The baud rates a port may be opened with, slowest first.
inline constexpr int kPortBaudRates[] = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};
bool IsSupportedBaudRate(int baudRate);

// WriteTotalTimeoutMultiplier: 19200 / baud in integer arithmetic (0 at 38400 and above).
std::uint32_t WriteTimeoutMultiplier(int baudRate);

// The DCB members the link sets, with the values of the Windows constants. Members the link
// does not set keep what GetCommState returned: the caller fills this from the port's DCB
// first, and copies it back.
struct DcbFields {
    std::uint32_t BaudRate = 0;
    std::uint8_t Parity = 0;    // NOPARITY 0, ODDPARITY 1, EVENPARITY 2
    std::uint8_t ByteSize = 8;  // 7 or 8
    std::uint8_t StopBits = 0;  // ONESTOPBIT 0, TWOSTOPBITS 2
    unsigned fBinary = 0, fParity = 0, fOutxCtsFlow = 0, fOutxDsrFlow = 0;
    unsigned fDtrControl = 0;  // DTR_CONTROL_DISABLE 0, DTR_CONTROL_HANDSHAKE 2
    unsigned fDsrSensitivity = 0, fTXContinueOnXoff = 0, fOutX = 0, fInX = 0;
    unsigned fErrorChar = 0, fNull = 0;
    unsigned fRtsControl = 0;  // RTS_CONTROL_DISABLE 0
    unsigned fAbortOnError = 0;
    std::uint16_t XonLim = 0, XoffLim = 0;
    char XonChar = 0, XoffChar = 0;
};

enum : std::uint8_t { kDcbNoParity = 0, kDcbOddParity = 1, kDcbEvenParity = 2 };
enum : std::uint8_t { kDcbOneStopBit = 0, kDcbTwoStopBits = 2 };
enum : unsigned { kDtrControlDisable = 0, kDtrControlHandshake = 2, kRtsControlDisable = 0 };

// Applies settings to dcb in the port's order of checks: baud rate, parity, data bits, stop
// bits. 0 = done; -1 = a value outside its list (dcb may then be partly changed, and must not
// be written to the port). A flow index outside its list leaves the flow members as they are.
int MapToDcb(const SerialLineSettings& settings, DcbFields& dcb);

}  // namespace tarvek
