#include "link/serial/serial_termios.h"

#include <iterator>

namespace tarvek {
namespace {

// The termios speed of each of kPortBaudRates, in its order.
constexpr speed_t kSpeeds[] = {B1200, B2400, B4800, B9600, B19200, B38400, B57600, B115200};
static_assert(std::size(kSpeeds) == std::size(kPortBaudRates), "a speed per baud rate");

}  // namespace

speed_t TermiosSpeed(int baudRate) {
    for (std::size_t i = 0; i < std::size(kPortBaudRates); ++i) {
        if (kPortBaudRates[i] == baudRate) {
            return kSpeeds[i];
        }
    }
    return B0;
}

int MapToTermios(const SerialLineSettings& settings, termios& t) {
    const speed_t speed = TermiosSpeed(settings.baudRate);
    if (speed == B0) {
        return -1;
    }
    cfmakeraw(&t);
    cfsetispeed(&t, speed);
    cfsetospeed(&t, speed);
    t.c_cflag |= CLOCAL | CREAD | HUPCL;
    switch (settings.parityIndex) {
        case kParityNone:
            t.c_cflag &= ~(PARENB | PARODD);
            t.c_iflag &= ~INPCK;
            break;
        case kParityOdd:
            t.c_cflag |= PARENB | PARODD;
            t.c_iflag |= INPCK;
            break;
        case kParityEven:
            t.c_cflag = (t.c_cflag | PARENB) & ~PARODD;
            t.c_iflag |= INPCK;
            break;
        default:
            return -1;
    }
    switch (settings.dataBitsIndex) {
        case kDataBits7:
            t.c_cflag = (t.c_cflag & ~CSIZE) | CS7;
            break;
        case kDataBits8:
            t.c_cflag = (t.c_cflag & ~CSIZE) | CS8;
            break;
        default:
            return -1;
    }
    switch (settings.stopBitsIndex) {
        case kStopBits1:
            t.c_cflag &= ~CSTOPB;
            break;
        case kStopBits2:
            t.c_cflag |= CSTOPB;
            break;
        default:
            return -1;
    }
    switch (settings.flowIndex) {
        case kFlowDtrDsr:
            t.c_cflag &= ~CRTSCTS;
            t.c_iflag &= ~(IXON | IXOFF | IXANY);
            break;
        case kFlowXonXoff:
            t.c_cflag &= ~CRTSCTS;
            t.c_iflag = (t.c_iflag | IXON | IXOFF) & ~IXANY;
            t.c_cc[VSTART] = 0x11;
            t.c_cc[VSTOP] = 0x13;
            break;
        default:
            break;
    }
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    return 0;
}

}  // namespace tarvek
