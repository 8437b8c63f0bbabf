// The Windows Bluetooth client and link on a stand-in of the Bluetooth APIs (Wine has none):
// a paired printer with the serial port service, an unpaired imaging-class printer that only
// an inquiry finds, a paired phone; the RFCOMM connect goes to a loopback TCP listener.
#include <gtest/gtest.h>

#include <cstdio>

#include "link/answer_poll.h"
#include "link/bluetooth/bluetooth_system_win32.h"
#include "link/network/winsock_win32.h"
#include "support/virtual_clock.h"

namespace tarvek {
namespace {

struct Device {
    BTH_ADDR address;
    const wchar_t* name;
    ULONG deviceClass;
    BOOL remembered, paired;
    GUID service;
    std::string pin;
} const kDevices[] = {
    {0x0019012A3B4C, L"Printer", 0x1F00, true, true, kSerialPortServiceClass, "0000"},
    {0x001901000002, L"Label", 0x0680, false, false, kSerialPortServiceClass, "1234"},
    {0xAABBCCDDEEFF, L"Phone", 0x5A020C, true, true, GUID{}, ""}};

const Device& Of(BTH_ADDR address) {
    static const Device kNone{};
    const auto* x =
        std::find_if(kDevices, std::end(kDevices), [&](auto& x) { return x.address == address; });
    return x != std::end(kDevices) ? *x : kNone;
}

class FakeBluetooth final : public BluetoothSystem {
  public:
    std::string world;  // "no radio", "no module", or how the printer asks to be answered
    std::string log;    // the calls that matter, in order
    bool refuseConnect = false;
    u_short listenerPort = 0;

    bool Load() override { return world != "no module"; }
    HANDLE OpenRadio() override { return world == "no radio" ? nullptr : CreateEventA(0, 1, 0, 0); }
    HBLUETOOTH_DEVICE_FIND FindFirstDevice(const BLUETOOTH_DEVICE_SEARCH_PARAMS& p,
                                           BLUETOOTH_DEVICE_INFO& d) override {
        log += "find " + std::to_string(p.cTimeoutMultiplier) + ";";
        m_next = 0;
        m_inquiry = p.fIssueInquiry && p.fReturnUnknown;
        return FindNextDevice(this, d) ? this : nullptr;
    }
    bool FindNextDevice(HBLUETOOTH_DEVICE_FIND, BLUETOOTH_DEVICE_INFO& d) override {
        while (m_next < std::size(kDevices)) {
            const Device& x = kDevices[m_next++];
            if (x.remembered || m_inquiry) {
                d.Address.ullLong = x.address, d.ulClassofDevice = x.deviceClass;
                d.fRemembered = x.remembered, d.fAuthenticated = x.paired;
                return wcscpy(d.szName, x.name) != nullptr;
            }
        }
        return false;
    }
    void FindDeviceClose(HBLUETOOTH_DEVICE_FIND) override {}
    DWORD EnumerateInstalledServices(HANDLE, const BLUETOOTH_DEVICE_INFO& d, DWORD& count,
                                     GUID* services) override {
        services[0] = GUID{}, services[1] = Of(d.Address.ullLong).service, count = 2;
        return ERROR_SUCCESS;
    }
    HRESULT RegisterForAuthenticationEx(const BLUETOOTH_DEVICE_INFO&,
                                        HBLUETOOTH_AUTHENTICATION_REGISTRATION& handle,
                                        PFN_AUTHENTICATION_CALLBACK_EX callback,
                                        void* context) override {
        log += "register;";
        m_callback = callback, m_context = context, handle = this;
        return ERROR_SUCCESS;
    }
    HRESULT SendAuthenticationResponseEx(HANDLE, BLUETOOTH_AUTHENTICATE_RESPONSE& r) override {
        const auto& pin = r.pinInfo;
        m_answer = r.negativeResponse ? "refused"
                   : r.authMethod == BLUETOOTH_AUTHENTICATION_METHOD_LEGACY
                       ? "pin " + std::string(pin.pin, pin.pin + pin.pinLength)
                   : r.authMethod == BLUETOOTH_AUTHENTICATION_METHOD_PASSKEY
                       ? "pin " + std::to_string(r.passkeyInfo.passkey)
                       : "confirm " + std::to_string(r.numericCompInfo.NumericValue);
        log += m_answer + ";";
        return ERROR_SUCCESS;
    }
    HRESULT AuthenticateDeviceEx(HANDLE, BLUETOOTH_DEVICE_INFO& d,
                                 BLUETOOTH_AUTHENTICATION_REQUIREMENTS needs) override {
        BLUETOOTH_AUTHENTICATION_CALLBACK_PARAMS request{};
        request.deviceInfo = d, request.Numeric_Value = 424242;
        const std::string kinds[] = {"", "", "oob", "confirm", "notify", "passkey"};  // by value
        const long kind = std::find(kinds + 2, std::end(kinds), world) - kinds;
        request.authenticationMethod = BLUETOOTH_AUTHENTICATION_METHOD(kind < 6 ? kind : 1);
        m_callback(m_context, &request);
        if (needs != MITMProtectionNotRequired || m_answer == "refused") {
            return ERROR_GEN_FAILURE;
        }
        if (m_answer != "pin " + Of(d.Address.ullLong).pin && m_answer != "confirm 424242") {
            return ERROR_NOT_AUTHENTICATED;
        }
        log += "paired;";
        d.fAuthenticated = TRUE;
        return ERROR_SUCCESS;
    }
    void UnregisterAuthentication(HBLUETOOTH_AUTHENTICATION_REGISTRATION h) override {
        log += h == this ? "unregister;" : "?;";
    }
    DWORD SetServiceState(HANDLE, const BLUETOOTH_DEVICE_INFO& d, const GUID& service,
                          DWORD flags) override {
        const bool paired = service == kSerialPortServiceClass && d.fAuthenticated;
        log += (paired ? "enable " : "enable? ") + std::to_string(flags) + ";";
        return Of(d.Address.ullLong).service == service ? ERROR_SUCCESS : ERROR_INVALID_PARAMETER;
    }
    DWORD RemoveDevice(const BLUETOOTH_ADDRESS& a) override {
        log += "remove;";
        return Of(a.ullLong).address == a.ullLong ? ERROR_SUCCESS : ERROR_NOT_FOUND;
    }
    SOCKET OpenSocket() override { return socket(AF_INET, SOCK_STREAM, IPPROTO_TCP); }
    int Connect(SOCKET s, const SOCKADDR_BTH& a) override {
        const bool spp = a.serviceClassId == kSerialPortServiceClass;
        log +=
            BluetoothAddressText(a.btAddr) + (spp ? " SPP " : " ? ") + std::to_string(a.port) + ";";
        sockaddr_in loopback{AF_INET, listenerPort, {{{127, 0, 0, 1}}}, {}};
        return refuseConnect ? WSAECONNREFUSED
               : connect(s, reinterpret_cast<sockaddr*>(&loopback), sizeof loopback) == 0
                   ? 0
                   : WSAGetLastError();
    }

  private:
    std::size_t m_next = 0;
    BOOL m_inquiry = FALSE;
    PFN_AUTHENTICATION_CALLBACK_EX m_callback = nullptr;
    void* m_context = nullptr;
    std::string m_answer;
};

TEST(BluetoothClient, ScansPairsAndForgetsThroughTheApis) {
    const struct {
        const char* verb;  // scan - SECONDS, pair ADDRESS SECONDS PIN, unpair ADDRESS
        const char* world;
        BluetoothStatus result;
        const char* said;  // the fake's log, then "ADDRESS NAME[ paired][ serial]|" a scan gives
    } cases[] = {
        {"scan - 0", "", BluetoothStatus::Done,
         "find 0;00:19:01:2A:3B:4C Printer paired serial|AA:BB:CC:DD:EE:FF Phone paired|"},
        {"scan - 10", "", BluetoothStatus::Done,
         "find 4;find 4;00:19:01:2A:3B:4C Printer paired serial|00:19:01:00:00:02 Label serial|"
         "AA:BB:CC:DD:EE:FF Phone paired|"},
        {"scan - 10", "no radio", BluetoothStatus::NoAdapter, ""},
        {"pair 00:19:01:2A:3B:4C 10 0000", "no module", BluetoothStatus::NoService, ""},
        {"pair 00:19:01:00:00:02 10 1234", "", BluetoothStatus::Done,
         "find 0;find 4;register;pin 1234;paired;unregister;enable 1;"},
        {"pair 00:19:01:00:00:02 10 9999", "", BluetoothStatus::Refused,
         "find 0;find 4;register;pin 9999;unregister;"},
        {"pair 00:19:01:00:00:02 10 1234", "passkey", BluetoothStatus::Done,
         "find 0;find 4;register;pin 1234;paired;unregister;enable 1;"},
        {"pair 00:19:01:00:00:02 10 1234567", "passkey", BluetoothStatus::Refused,
         "find 0;find 4;register;refused;unregister;"},
        {"pair 00:19:01:00:00:02 10 12345678901234567", "", BluetoothStatus::Refused,
         "find 0;find 4;register;refused;unregister;"},
        {"pair 00:19:01:00:00:02 10 1234", "confirm", BluetoothStatus::Done,
         "find 0;find 4;register;confirm 424242;paired;unregister;enable 1;"},
        {"pair 00:19:01:00:00:02 10 1234", "oob", BluetoothStatus::Refused,
         "find 0;find 4;register;refused;unregister;"},
        {"pair 00:19:01:2A:3B:4C 10 0000", "", BluetoothStatus::Done, "find 0;enable 1;"},
        {"pair AA:BB:CC:DD:EE:FF 10 0000", "", BluetoothStatus::NoSerial, "find 0;enable 1;"},
        {"pair 00:00:00:00:00:09 10 0000", "", BluetoothStatus::NotFound, "find 0;find 4;find 4;"},
        {"pair 00:00:00:00:00:09 10 0000", "Ctrl-C", BluetoothStatus::NotFound, "find 0;find 4;"},
        {"pair 00:00:00:00:00:09 120 0000", "", BluetoothStatus::NotFound,  // 48 units at most
         "find 0;find 4;find 4;find 4;find 4;find 4;find 4;find 4;find 4;find 4;find 4;find 4;"
         "find 4;"},
        {"unpair 00:19:01:2A:3B:4C", "", BluetoothStatus::Done, "remove;"},
        {"unpair 00:00:00:00:00:09", "", BluetoothStatus::NotFound, "remove;"},
    };
    for (const auto& c : cases) {
        auto owned = std::make_unique<FakeBluetooth>();
        FakeBluetooth& fake = *owned;
        fake.world = c.world;
        const std::atomic<bool> stop{fake.world == "Ctrl-C"};
        const auto client = MakeBluetoothClient(std::move(owned), stop);
        char verb[8] = {}, address[18] = {}, pin[20] = {};
        int seconds = 0;
        std::sscanf(c.verb, "%7s %17s %d %19s", verb, address, &seconds, pin);
        std::vector<BluetoothDevice> devices;
        const BluetoothStatus result = verb[0] == 's'   ? client->Scan(seconds, devices)
                                       : verb[0] == 'p' ? client->Pair(address, pin, seconds)
                                                        : client->Unpair(address);
        for (const BluetoothDevice& d : devices) {
            fake.log += d.address + " " + d.name + (d.paired ? " paired" : "") +
                        (d.serial ? " serial" : "") + "|";
        }
        EXPECT_EQ(result, c.result) << c.verb << " " << c.world;
        EXPECT_EQ(fake.log, c.said) << c.verb << " " << c.world;
    }
}

TEST(BluetoothLink, ConnectsToTheSerialServiceAndMovesBytesAsTheSerialLinkDoes) {
    ASSERT_TRUE(WinsockReady());
    const SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{AF_INET, 0, {{{127, 0, 0, 1}}}, {}};
    int size = sizeof address;
    ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), size), 0);
    ASSERT_EQ(listen(listener, 1), 0);
    getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size);
    auto fake = std::make_shared<FakeBluetooth>();
    fake->listenerPort = address.sin_port;
    const std::atomic<bool> stop{false};
    testing::VirtualClock clock;
    const auto link = MakeBluetoothLink(clock, stop, InputPurge::BeforeWrite, fake);
    EXPECT_EQ(link->Open("COM3", 9600, 0, 1, 0, 0), -1);
    fake->refuseConnect = true;
    EXPECT_EQ(link->Open("bt:00:19:01:2A:3B:4C", 9600, 0, 1, 0, 0), -1);
    fake->refuseConnect = false;
    EXPECT_EQ(link->Open("bt:00:19:01:2a:3b:4c", 9600, 0, 1, 0, 0), 0);
    EXPECT_EQ(fake->log, "00:19:01:2A:3B:4C SPP 0;00:19:01:2A:3B:4C SPP 0;");
    const SOCKET printer = accept(listener, nullptr, nullptr);
    EXPECT_EQ(link->Write(Bytes{0x1B, 0x40}), 2);
    char got[8] = {};
    EXPECT_EQ(recv(printer, got, 4, MSG_WAITALL), 4);
    EXPECT_EQ(std::string(got, 4), std::string("\0\0\x1B@", 4));  // after the idle preamble
    send(printer, "OK\r\n", 4, 0);
    std::uint8_t answer[256] = {};
    ASSERT_EQ(PollFirstBatch(*link, SystemClock(), PollPlan{}, answer), 4);
    EXPECT_EQ(std::string(answer, answer + 4), "OK\r\n");
    link->Close();
    EXPECT_EQ(recv(printer, got, sizeof got, 0), 0);  // the printer's end sees the link go
    closesocket(printer);
    closesocket(listener);
}

}  // namespace
}  // namespace tarvek
