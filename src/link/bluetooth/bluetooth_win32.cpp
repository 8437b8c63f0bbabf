// The Bluetooth client on Windows over the Bluetooth APIs: a scan in inquiry rounds, pairing
// with an authentication callback of our own that answers the PIN request of the device being
// paired (and nothing it cannot answer), the serial port service enabled after it so Windows
// makes the COM port the dialogs use, and forgetting a device.
#include <algorithm>
#include <cstring>

#include "link/bluetooth/bluetooth_system_win32.h"
#include "link/win32_handle.h"

namespace tarvek {
namespace {

// An inquiry lasts a number of 1.28 s units, at most 48. It cannot be cut short, so a long one
// runs in rounds of a few units and Ctrl-C is seen between them.
constexpr int kInquiryUnitMs = 1280;
constexpr int kMaxInquiryUnits = 48;
constexpr int kRoundUnits = 4;
constexpr DWORD kServiceEnable = 0x01;  // BLUETOOTH_SERVICE_ENABLE
constexpr DWORD kMaxServices = 64;
constexpr std::size_t kMaxPasskeyDigits = 6;

using Found = std::vector<BLUETOOTH_DEVICE_INFO>;

int InquiryUnits(int seconds) {
    const long long units = (seconds * 1000LL + kInquiryUnitMs - 1) / kInquiryUnitMs;
    return static_cast<int>(std::clamp(units, 0LL, static_cast<long long>(kMaxInquiryUnits)));
}

const BLUETOOTH_DEVICE_INFO* Find(const Found& found, BTH_ADDR address) {
    for (const BLUETOOTH_DEVICE_INFO& device : found) {
        if (device.Address.ullLong == address) {
            return &device;
        }
    }
    return nullptr;
}

// What the authentication callback needs; it runs on a thread of Windows' own while
// AuthenticateDeviceEx waits.
struct PairingRequest {
    BluetoothSystem& system;
    HANDLE radio;
    BTH_ADDR address;
    const std::string& pin;
    const std::atomic<bool>& stop;
    std::atomic<bool> refused{false};
};

// The answer to a request of the device being paired: the PIN of a legacy pairing, the PIN
// as a passkey the printer shows, the confirmation a printer without display or keys asks
// (the pairing was started here, for this address). Out-of-band data and passkeys shown to
// the printer cannot be given.
bool FillAnswer(const BLUETOOTH_AUTHENTICATION_CALLBACK_PARAMS& request, const std::string& pin,
                BLUETOOTH_AUTHENTICATE_RESPONSE& response) {
    const bool digits = !pin.empty() && pin.find_first_not_of("0123456789") == std::string::npos;
    switch (request.authenticationMethod) {
        case BLUETOOTH_AUTHENTICATION_METHOD_LEGACY:
            if (pin.empty() || pin.size() > BTH_MAX_PIN_SIZE) {
                return false;
            }
            std::memcpy(response.pinInfo.pin, pin.data(), pin.size());
            response.pinInfo.pinLength = static_cast<UCHAR>(pin.size());
            return true;
        case BLUETOOTH_AUTHENTICATION_METHOD_PASSKEY:
            if (!digits || pin.size() > kMaxPasskeyDigits) {
                return false;
            }
            response.passkeyInfo.passkey = std::stoul(pin);
            return true;
        case BLUETOOTH_AUTHENTICATION_METHOD_NUMERIC_COMPARISON:
            response.numericCompInfo.NumericValue = request.Numeric_Value;
            return true;
        default:
            return false;
    }
}

BOOL CALLBACK AnswerRequest(LPVOID context, PBLUETOOTH_AUTHENTICATION_CALLBACK_PARAMS request) {
    auto& pairing = *static_cast<PairingRequest*>(context);
    BLUETOOTH_AUTHENTICATE_RESPONSE response{};
    response.bthAddressRemote = request->deviceInfo.Address;
    response.authMethod = request->authenticationMethod;
    const bool answered = request->deviceInfo.Address.ullLong == pairing.address &&
                          !pairing.stop.load() && FillAnswer(*request, pairing.pin, response);
    response.negativeResponse = answered ? FALSE : TRUE;
    pairing.refused = pairing.refused || !answered;
    const HRESULT sent = pairing.system.SendAuthenticationResponseEx(pairing.radio, response);
    SecureZeroMemory(&response, sizeof response);
    return sent == ERROR_SUCCESS;
}

class Registration {
  public:
    explicit Registration(BluetoothSystem& system) : m_system(system) {}
    ~Registration() {
        if (m_handle != nullptr) {
            m_system.UnregisterAuthentication(m_handle);
        }
    }
    Registration(const Registration&) = delete;
    Registration& operator=(const Registration&) = delete;
    HBLUETOOTH_AUTHENTICATION_REGISTRATION& Handle() { return m_handle; }

  private:
    BluetoothSystem& m_system;
    HBLUETOOTH_AUTHENTICATION_REGISTRATION m_handle = nullptr;
};

class CWindowsBluetoothClient final : public BluetoothClient {
  public:
    CWindowsBluetoothClient(std::unique_ptr<BluetoothSystem> system, const std::atomic<bool>& stop)
        : m_system(std::move(system)), m_stop(stop) {}

    BluetoothStatus Scan(int seconds, std::vector<BluetoothDevice>& devices) override {
        UniqueHandle radio;
        const BluetoothStatus result = OpenRadio(radio);
        if (result != BluetoothStatus::Done) {
            return result;
        }
        Found found;
        Search(radio.Get(), InquiryUnits(seconds), 0, found);
        for (const BLUETOOTH_DEVICE_INFO& device : found) {
            devices.push_back(Describe(radio.Get(), device));
        }
        return BluetoothStatus::Done;
    }

    BluetoothStatus Pair(const std::string& address, const std::string& pin,
                         int searchSeconds) override {
        UniqueHandle radio;
        const BluetoothStatus result = OpenRadio(radio);
        if (result != BluetoothStatus::Done) {
            return result;
        }
        const BTH_ADDR wanted = BluetoothAddressValue(address);
        Found found;
        Search(radio.Get(), 0, wanted, found);  // a device already known needs no inquiry
        if (Find(found, wanted) == nullptr) {
            Search(radio.Get(), InquiryUnits(searchSeconds), wanted, found);
        }
        const BLUETOOTH_DEVICE_INFO* known = Find(found, wanted);
        if (known == nullptr) {
            return BluetoothStatus::NotFound;
        }
        BLUETOOTH_DEVICE_INFO device = *known;
        if (!device.fAuthenticated) {
            const BluetoothStatus paired = Authenticate(radio.Get(), device, pin);
            if (paired != BluetoothStatus::Done) {
                return paired;
            }
        }
        return m_system->SetServiceState(radio.Get(), device, kSerialPortServiceClass,
                                         kServiceEnable) == ERROR_SUCCESS
                   ? BluetoothStatus::Done
                   : BluetoothStatus::NoSerial;
    }

    BluetoothStatus Unpair(const std::string& address) override {
        if (!m_system->Load()) {
            return BluetoothStatus::NoService;
        }
        BLUETOOTH_ADDRESS device{};
        device.ullLong = BluetoothAddressValue(address);
        const DWORD result = m_system->RemoveDevice(device);
        return result == ERROR_SUCCESS     ? BluetoothStatus::Done
               : result == ERROR_NOT_FOUND ? BluetoothStatus::NotFound
                                           : BluetoothStatus::Failed;
    }

  private:
    BluetoothStatus OpenRadio(UniqueHandle& radio) {
        if (!m_system->Load()) {
            return BluetoothStatus::NoService;
        }
        radio.Reset(m_system->OpenRadio());
        return radio.Valid() ? BluetoothStatus::Done : BluetoothStatus::NoAdapter;
    }

    // The devices the radio remembers, and with units those an inquiry of that length finds,
    // in rounds; it ends early at Ctrl-C or once wanted (when not 0) is among them.
    void Search(HANDLE radio, int units, BTH_ADDR wanted, Found& found) {
        int left = units;
        do {
            const int round = std::min(left, kRoundUnits);
            left -= round;
            ListRound(radio, round, found);
        } while (left > 0 && !m_stop.load() && (wanted == 0 || Find(found, wanted) == nullptr));
    }

    void ListRound(HANDLE radio, int units, Found& found) {
        BLUETOOTH_DEVICE_SEARCH_PARAMS params{};
        params.dwSize = sizeof params;
        params.fReturnAuthenticated = params.fReturnRemembered = params.fReturnConnected = TRUE;
        params.fReturnUnknown = params.fIssueInquiry = units > 0;
        params.cTimeoutMultiplier = static_cast<UCHAR>(units);
        params.hRadio = radio;
        BLUETOOTH_DEVICE_INFO device{};
        device.dwSize = sizeof device;
        const HBLUETOOTH_DEVICE_FIND find = m_system->FindFirstDevice(params, device);
        if (find == nullptr) {
            return;
        }
        do {
            const BLUETOOTH_DEVICE_INFO* seen = Find(found, device.Address.ullLong);
            if (seen != nullptr) {
                found[static_cast<std::size_t>(seen - found.data())] = device;  // the newer
            } else {
                found.push_back(device);
            }
            device = BLUETOOTH_DEVICE_INFO{};
            device.dwSize = sizeof device;
        } while (m_system->FindNextDevice(find, device));
        m_system->FindDeviceClose(find);
    }

    BluetoothDevice Describe(HANDLE radio, const BLUETOOTH_DEVICE_INFO& info) {
        BluetoothDevice device;
        device.address = BluetoothAddressText(info.Address.ullLong);
        char name[BLUETOOTH_MAX_NAME_SIZE * 3] = {};
        WideCharToMultiByte(CP_UTF8, 0, info.szName, -1, name, sizeof name - 1, nullptr, nullptr);
        device.name = name;
        // Windows trusts a paired device for the services enabled for it.
        device.paired = device.trusted = info.fAuthenticated != FALSE;
        std::vector<std::string> services;
        if (info.fRemembered && HasSerialService(radio, info)) {
            services.push_back(kSerialPortUuid);
        }
        device.serial = OffersSerialPort(info.ulClassofDevice, services);
        return device;
    }

    bool HasSerialService(HANDLE radio, const BLUETOOTH_DEVICE_INFO& device) {
        GUID services[kMaxServices] = {};
        DWORD count = kMaxServices;
        const DWORD result = m_system->EnumerateInstalledServices(radio, device, count, services);
        if (result != ERROR_SUCCESS && result != ERROR_MORE_DATA) {
            return false;
        }
        const GUID* const begin = services;
        const GUID* const end = begin + std::min(count, kMaxServices);
        return std::find(begin, end, kSerialPortServiceClass) != end;
    }

    BluetoothStatus Authenticate(HANDLE radio, BLUETOOTH_DEVICE_INFO& device,
                                 const std::string& pin) {
        PairingRequest request{*m_system, radio, device.Address.ullLong, pin, m_stop};
        Registration registration(*m_system);
        if (m_system->RegisterForAuthenticationEx(device, registration.Handle(), &AnswerRequest,
                                                  &request) != ERROR_SUCCESS) {
            return BluetoothStatus::Failed;
        }
        // Waits until the device answered or Windows gave up; Ctrl-C cannot end it earlier,
        // but a request that comes after it is refused.
        const auto result = static_cast<DWORD>(
            m_system->AuthenticateDeviceEx(radio, device, MITMProtectionNotRequired));
        if (result == ERROR_SUCCESS || result == ERROR_NO_MORE_ITEMS) {  // paired meanwhile
            return BluetoothStatus::Done;
        }
        return request.refused || result == ERROR_NOT_AUTHENTICATED || result == ERROR_CANCELLED
                   ? BluetoothStatus::Refused
                   : BluetoothStatus::Failed;
    }

    std::unique_ptr<BluetoothSystem> m_system;
    const std::atomic<bool>& m_stop;
};

}  // namespace

std::unique_ptr<BluetoothClient> MakeBluetoothClient(std::unique_ptr<BluetoothSystem> system,
                                                     const std::atomic<bool>& stop) {
    return std::make_unique<CWindowsBluetoothClient>(std::move(system), stop);
}

std::unique_ptr<BluetoothClient> MakeBluetoothClient(const std::atomic<bool>& stop) {
    return MakeBluetoothClient(MakeWindowsBluetoothSystem(), stop);
}

}  // namespace tarvek
