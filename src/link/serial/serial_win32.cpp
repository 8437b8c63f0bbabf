// CSerialLink on a Windows COM port (overlapped I/O).
#include <windows.h>

#include <string>

#include "link/debug_output.h"
#include "link/links.h"
#include "link/serial_settings.h"
#include "link/serial_write.h"
#include "link/win32_handle.h"

namespace tarvek {
namespace {

constexpr DWORD kPurgeAll = PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR;

void CopyToDcb(const DcbFields& f, DCB& dcb) {
    dcb.BaudRate = f.BaudRate;
    dcb.Parity = f.Parity;
    dcb.ByteSize = f.ByteSize;
    dcb.StopBits = f.StopBits;
    dcb.fBinary = f.fBinary;
    dcb.fParity = f.fParity;
    dcb.fOutxCtsFlow = f.fOutxCtsFlow;
    dcb.fOutxDsrFlow = f.fOutxDsrFlow;
    dcb.fDtrControl = f.fDtrControl;
    dcb.fDsrSensitivity = f.fDsrSensitivity;
    dcb.fTXContinueOnXoff = f.fTXContinueOnXoff;
    dcb.fOutX = f.fOutX;
    dcb.fInX = f.fInX;
    dcb.fErrorChar = f.fErrorChar;
    dcb.fNull = f.fNull;
    dcb.fRtsControl = f.fRtsControl;
    dcb.fAbortOnError = f.fAbortOnError;
    dcb.XonLim = f.XonLim;
    dcb.XoffLim = f.XoffLim;
    dcb.XonChar = f.XonChar;
    dcb.XoffChar = f.XoffChar;
}

DcbFields CopyFromDcb(const DCB& dcb) {
    DcbFields f;
    f.BaudRate = dcb.BaudRate;
    f.Parity = dcb.Parity;
    f.ByteSize = dcb.ByteSize;
    f.StopBits = dcb.StopBits;
    f.fBinary = dcb.fBinary;
    f.fParity = dcb.fParity;
    f.fOutxCtsFlow = dcb.fOutxCtsFlow;
    f.fOutxDsrFlow = dcb.fOutxDsrFlow;
    f.fDtrControl = dcb.fDtrControl;
    f.fDsrSensitivity = dcb.fDsrSensitivity;
    f.fTXContinueOnXoff = dcb.fTXContinueOnXoff;
    f.fOutX = dcb.fOutX;
    f.fInX = dcb.fInX;
    f.fErrorChar = dcb.fErrorChar;
    f.fNull = dcb.fNull;
    f.fRtsControl = dcb.fRtsControl;
    f.fAbortOnError = dcb.fAbortOnError;
    f.XonLim = dcb.XonLim;
    f.XoffLim = dcb.XoffLim;
    f.XonChar = dcb.XonChar;
    f.XoffChar = dcb.XoffChar;
    return f;
}

class CSerialLink final : public SerialPrinterLink, private SerialChunkPort {
  public:
    CSerialLink(Clock& clock, InputPurge purge) : m_clock(clock), m_purge(purge) {}
    ~CSerialLink() override { Close(); }
    using PrinterLink::Write;

    int Open(const std::string& portName, int baudRate, int parityIndex, int dataBitsIndex,
             int stopBitsIndex, int flowIndex) override {
        Close();
        const std::string device = "\\\\.\\" + portName;
        m_port.Reset(CreateFileA(device.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OVERLAPPED,
                                 nullptr));
        if (!m_port.Valid()) {
            m_port.Reset();
            return -1;
        }
        m_bOpen = true;
        SetupComm(m_port.Get(), 1024, 1024);
        PurgeComm(m_port.Get(), kPurgeAll);
        if (Configure({baudRate, parityIndex, dataBitsIndex, stopBitsIndex, flowIndex}) != 0) {
            return -1;
        }
        m_idle = IdleState{true, 0};
        return 0;
    }

    int Reconfigure(const SerialLineSettings& settings) override {
        if (!m_bOpen || Configure(settings) != 0) {
            return -1;
        }
        PurgeComm(m_port.Get(), PURGE_RXABORT | PURGE_RXCLEAR);  // noise of the old settings
        return 0;
    }

    int Close() override {
        if (!m_bOpen) {
            return 0;
        }
        m_bOpen = false;
        m_port.Reset();
        return 0;
    }

    int Write(const std::uint8_t* data, int length) override {
        if (!m_bOpen) {
            return 0;
        }
        UniqueHandle event(NewEvent(true));
        if (!event.Valid()) {
            return 0;
        }
        m_writeEvent = event.Get();
        return RunSerialWrite(*this, m_clock, m_idle, m_purge, data, length);
    }

    int Read(std::uint8_t* buffer, int capacity) override {
        if (!m_bOpen || capacity <= 0) {
            return 0;
        }
        DWORD errors = 0;
        COMSTAT status{};
        if (!ClearCommError(m_port.Get(), &errors, &status) || status.cbInQue == 0) {
            return 0;
        }
        m_readOv = OVERLAPPED{};
        DWORD count = 0;
        if (ReadFile(m_port.Get(), buffer, static_cast<DWORD>(capacity), &count, &m_readOv)) {
            return static_cast<int>(count);
        }
        if (GetLastError() != ERROR_IO_PENDING) {
            ClearCommError(m_port.Get(), &errors, &status);
            return 0;
        }
        for (;;) {
            if (GetOverlappedResult(m_port.Get(), &m_readOv, &count, TRUE)) {
                return static_cast<int>(count);
            }
            if (GetLastError() != ERROR_IO_INCOMPLETE) {
                ClearCommError(m_port.Get(), &errors, &status);
                return static_cast<int>(count);
            }
        }
    }

  private:
    // The line settings and the time-outs of the open port.
    int Configure(const SerialLineSettings& line) {
        DCB dcb{};
        dcb.DCBlength = sizeof(DCB);
        GetCommState(m_port.Get(), &dcb);
        DcbFields fields = CopyFromDcb(dcb);
        if (MapToDcb(line, fields) != 0) {
            return -1;
        }
        CopyToDcb(fields, dcb);
        if (!SetCommState(m_port.Get(), &dcb)) {
            DebugOutput("SetCommState");
            return -1;
        }
        COMMTIMEOUTS timeouts{};
        GetCommTimeouts(m_port.Get(), &timeouts);
        timeouts.ReadIntervalTimeout = 50;
        timeouts.ReadTotalTimeoutMultiplier = 0;
        timeouts.ReadTotalTimeoutConstant = 100;
        timeouts.WriteTotalTimeoutMultiplier = WriteTimeoutMultiplier(line.baudRate);
        timeouts.WriteTotalTimeoutConstant = 0;
        SetCommTimeouts(m_port.Get(), &timeouts);
        return 0;
    }

    int SendChunk(const std::uint8_t* data, int length) override {
        OVERLAPPED ov{};
        ov.hEvent = m_writeEvent;
        DWORD count = 0;
        if (WriteFile(m_port.Get(), data, static_cast<DWORD>(length), &count, &ov)) {
            return static_cast<int>(count);
        }
        if (GetLastError() != ERROR_IO_PENDING) {
            return kChunkFailed;
        }
        if (WaitForSingleObject(m_writeEvent, kSerialChunkWaitMs) != WAIT_OBJECT_0) {
            // The request refers to this OVERLAPPED: it must be finished before the frame
            // and the event go away.
            CancelIo(m_port.Get());
            GetOverlappedResult(m_port.Get(), &ov, &count, TRUE);
            return kChunkTimedOut;
        }
        if (!GetOverlappedResult(m_port.Get(), &ov, &count, FALSE)) {
            return kChunkFailed;
        }
        return static_cast<int>(count);
    }
    // Only the receive side: every chunk has completed, so a transmit purge could only
    // discard command bytes the driver still holds (a USB adapter, or Wine on a terminal,
    // completes a write once the bytes are queued).
    void PurgeInput() override { PurgeComm(m_port.Get(), PURGE_RXABORT | PURGE_RXCLEAR); }
    void PurgeAll() override { PurgeComm(m_port.Get(), kPurgeAll); }

    Clock& m_clock;
    const InputPurge m_purge;
    bool m_bOpen = false;
    UniqueHandle m_port;
    OVERLAPPED m_readOv{};
    HANDLE m_writeEvent = nullptr;  // the event of the write in progress
    IdleState m_idle;
};

}  // namespace

std::unique_ptr<SerialPrinterLink> MakeSerialLink(Clock& clock, InputPurge purge) {
    return std::make_unique<CSerialLink>(clock, purge);
}

}  // namespace tarvek
