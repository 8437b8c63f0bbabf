#include "link/serial_settings.h"

#include <gtest/gtest.h>

namespace tarvek {
namespace {

TEST(SerialSettings, WriteMultiplierIs19200OverBaud) {
    const std::pair<int, unsigned> cases[] = {{1200, 16}, {2400, 8},  {4800, 4},  {9600, 2},
                                              {19200, 1}, {38400, 0}, {115200, 0}};
    for (const auto& [baud, multiplier] : cases) {
        EXPECT_EQ(WriteTimeoutMultiplier(baud), multiplier) << baud;
    }
}

TEST(DcbMapping, ParityDataAndStopBits) {
    struct Case {
        int parity, data, stop;
        std::uint8_t dcbParity;
        unsigned fParity;
        std::uint8_t byteSize, stopBits;
    };
    const Case cases[] = {
        {kParityNone, kDataBits8, kStopBits1, kDcbNoParity, 0, 8, kDcbOneStopBit},
        {kParityOdd, kDataBits7, kStopBits2, kDcbOddParity, 1, 7, kDcbTwoStopBits},
        {kParityEven, kDataBits8, kStopBits2, kDcbEvenParity, 1, 8, kDcbTwoStopBits},
    };
    for (const Case& c : cases) {
        DcbFields dcb;
        ASSERT_EQ(MapToDcb({9600, c.parity, c.data, c.stop, kFlowDtrDsr}, dcb), 0);
        EXPECT_EQ(dcb.BaudRate, 9600u);
        EXPECT_EQ(dcb.Parity, c.dcbParity);
        EXPECT_EQ(dcb.fParity, c.fParity);
        EXPECT_EQ(dcb.ByteSize, c.byteSize);
        EXPECT_EQ(dcb.StopBits, c.stopBits);
    }
}

TEST(DcbMapping, DtrDsrFlow) {
    DcbFields dcb;
    dcb.fOutX = dcb.fInX = dcb.fOutxCtsFlow = dcb.fOutxDsrFlow = 1;
    dcb.fRtsControl = 1;
    dcb.XonChar = 'a';
    ASSERT_EQ(MapToDcb({19200, kParityNone, kDataBits8, kStopBits1, kFlowDtrDsr}, dcb), 0);
    EXPECT_EQ(dcb.fDtrControl, kDtrControlHandshake);
    EXPECT_EQ(dcb.fRtsControl, kRtsControlDisable);
    EXPECT_EQ(dcb.fOutxCtsFlow + dcb.fOutxDsrFlow + dcb.fOutX + dcb.fInX, 0u);
    EXPECT_EQ(dcb.XonChar, 'a');  // untouched: only Xon/Xoff sets the characters
}

TEST(DcbMapping, XonXoffFlow) {
    DcbFields dcb;
    dcb.fDtrControl = kDtrControlHandshake;
    ASSERT_EQ(MapToDcb({115200, kParityEven, kDataBits7, kStopBits1, kFlowXonXoff}, dcb), 0);
    EXPECT_EQ(dcb.fOutX, 1u);
    EXPECT_EQ(dcb.fInX, 1u);
    EXPECT_EQ(dcb.XonChar, 0x11);
    EXPECT_EQ(dcb.XoffChar, 0x13);
    EXPECT_EQ(dcb.XonLim, 1);
    EXPECT_EQ(dcb.XoffLim, 1);
    EXPECT_EQ(dcb.fDtrControl, kDtrControlDisable);
    EXPECT_EQ(dcb.fRtsControl, kRtsControlDisable);
    EXPECT_EQ(dcb.fOutxCtsFlow + dcb.fOutxDsrFlow, 0u);
}

TEST(DcbMapping, CommonMembersForEveryFlow) {
    for (int flow : {int{kFlowDtrDsr}, int{kFlowXonXoff}, 5}) {
        DcbFields dcb;
        dcb.fDsrSensitivity = dcb.fErrorChar = dcb.fNull = dcb.fAbortOnError = 1;
        ASSERT_EQ(MapToDcb({2400, kParityNone, kDataBits8, kStopBits1, flow}, dcb), 0);
        EXPECT_EQ(dcb.fBinary, 1u);
        EXPECT_EQ(dcb.fTXContinueOnXoff, 1u);
        EXPECT_EQ(dcb.fDsrSensitivity + dcb.fErrorChar + dcb.fNull + dcb.fAbortOnError, 0u);
    }
}

TEST(DcbMapping, RefusesValuesOutsideTheListsInOrder) {
    DcbFields dcb;
    dcb.BaudRate = 1;
    EXPECT_EQ(MapToDcb({14400, 9, 9, 9, 0}, dcb), -1);
    EXPECT_EQ(dcb.BaudRate, 1u);  // the baud rate is checked first
    EXPECT_EQ(MapToDcb({9600, 3, kDataBits8, kStopBits1, 0}, dcb), -1);
    EXPECT_EQ(MapToDcb({9600, -1, kDataBits8, kStopBits1, 0}, dcb), -1);
    dcb.ByteSize = 5;
    EXPECT_EQ(MapToDcb({9600, kParityOdd, 2, kStopBits1, 0}, dcb), -1);
    EXPECT_EQ(dcb.ByteSize, 5);
    EXPECT_EQ(MapToDcb({9600, kParityOdd, kDataBits7, 2, 0}, dcb), -1);
    EXPECT_EQ(dcb.ByteSize, 7);  // data bits came before the refused stop bits
}

}  // namespace
}  // namespace tarvek
