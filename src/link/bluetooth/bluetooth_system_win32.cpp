#include "link/bluetooth/bluetooth_system_win32.h"

#include <cstdio>
#include <cstdlib>

#include "link/network/winsock_win32.h"

namespace tarvek {
namespace {

// Windows 7 has the Bluetooth APIs in the control panel module only; later ones keep them
// there too, forwarded.
constexpr char kModule[] = "bthprops.cpl";

struct BluetoothApi {
    decltype(&BluetoothFindFirstRadio) findFirstRadio = nullptr;
    decltype(&BluetoothFindRadioClose) findRadioClose = nullptr;
    decltype(&BluetoothFindFirstDevice) findFirstDevice = nullptr;
    decltype(&BluetoothFindNextDevice) findNextDevice = nullptr;
    decltype(&BluetoothFindDeviceClose) findDeviceClose = nullptr;
    decltype(&BluetoothEnumerateInstalledServices) enumerateInstalledServices = nullptr;
    decltype(&BluetoothRegisterForAuthenticationEx) registerForAuthenticationEx = nullptr;
    decltype(&BluetoothSendAuthenticationResponseEx) sendAuthenticationResponseEx = nullptr;
    decltype(&BluetoothAuthenticateDeviceEx) authenticateDeviceEx = nullptr;
    decltype(&BluetoothUnregisterAuthentication) unregisterAuthentication = nullptr;
    decltype(&BluetoothSetServiceState) setServiceState = nullptr;
    decltype(&BluetoothRemoveDevice) removeDevice = nullptr;
};

class WindowsBluetoothSystem final : public BluetoothSystem {
  public:
    ~WindowsBluetoothSystem() override {
        if (m_module != nullptr) {
            FreeLibrary(m_module);
        }
    }

    bool Load() override {
        if (m_module == nullptr && (m_module = LoadLibraryA(kModule)) == nullptr) {
            return false;
        }
        BluetoothApi& f = m_api;
        return Lookup(f.findFirstRadio, "BluetoothFindFirstRadio") &&
               Lookup(f.findRadioClose, "BluetoothFindRadioClose") &&
               Lookup(f.findFirstDevice, "BluetoothFindFirstDevice") &&
               Lookup(f.findNextDevice, "BluetoothFindNextDevice") &&
               Lookup(f.findDeviceClose, "BluetoothFindDeviceClose") &&
               Lookup(f.enumerateInstalledServices, "BluetoothEnumerateInstalledServices") &&
               Lookup(f.registerForAuthenticationEx, "BluetoothRegisterForAuthenticationEx") &&
               Lookup(f.sendAuthenticationResponseEx, "BluetoothSendAuthenticationResponseEx") &&
               Lookup(f.authenticateDeviceEx, "BluetoothAuthenticateDeviceEx") &&
               Lookup(f.unregisterAuthentication, "BluetoothUnregisterAuthentication") &&
               Lookup(f.setServiceState, "BluetoothSetServiceState") &&
               Lookup(f.removeDevice, "BluetoothRemoveDevice");
    }

    HANDLE OpenRadio() override {
        BLUETOOTH_FIND_RADIO_PARAMS params{sizeof params};
        HANDLE radio = nullptr;
        const HBLUETOOTH_RADIO_FIND find = m_api.findFirstRadio(&params, &radio);
        if (find == nullptr) {
            return nullptr;
        }
        m_api.findRadioClose(find);
        return radio;
    }
    HBLUETOOTH_DEVICE_FIND FindFirstDevice(const BLUETOOTH_DEVICE_SEARCH_PARAMS& params,
                                           BLUETOOTH_DEVICE_INFO& device) override {
        BLUETOOTH_DEVICE_SEARCH_PARAMS copy = params;
        return m_api.findFirstDevice(&copy, &device);
    }
    bool FindNextDevice(HBLUETOOTH_DEVICE_FIND find, BLUETOOTH_DEVICE_INFO& device) override {
        return m_api.findNextDevice(find, &device) != FALSE;
    }
    void FindDeviceClose(HBLUETOOTH_DEVICE_FIND find) override { m_api.findDeviceClose(find); }
    DWORD EnumerateInstalledServices(HANDLE radio, const BLUETOOTH_DEVICE_INFO& device,
                                     DWORD& count, GUID* services) override {
        BLUETOOTH_DEVICE_INFO copy = device;
        return m_api.enumerateInstalledServices(radio, &copy, &count, services);
    }
    HRESULT RegisterForAuthenticationEx(const BLUETOOTH_DEVICE_INFO& device,
                                        HBLUETOOTH_AUTHENTICATION_REGISTRATION& handle,
                                        PFN_AUTHENTICATION_CALLBACK_EX callback,
                                        void* context) override {
        return m_api.registerForAuthenticationEx(&device, &handle, callback, context);
    }
    HRESULT SendAuthenticationResponseEx(HANDLE radio,
                                         BLUETOOTH_AUTHENTICATE_RESPONSE& response) override {
        return m_api.sendAuthenticationResponseEx(radio, &response);
    }
    HRESULT AuthenticateDeviceEx(HANDLE radio, BLUETOOTH_DEVICE_INFO& device,
                                 BLUETOOTH_AUTHENTICATION_REQUIREMENTS needs) override {
        return m_api.authenticateDeviceEx(nullptr, radio, &device, nullptr, needs);
    }
    void UnregisterAuthentication(HBLUETOOTH_AUTHENTICATION_REGISTRATION handle) override {
        m_api.unregisterAuthentication(handle);
    }
    DWORD SetServiceState(HANDLE radio, const BLUETOOTH_DEVICE_INFO& device, const GUID& service,
                          DWORD flags) override {
        BLUETOOTH_DEVICE_INFO copy = device;
        GUID serviceCopy = service;
        return m_api.setServiceState(radio, &copy, &serviceCopy, flags);
    }
    DWORD RemoveDevice(const BLUETOOTH_ADDRESS& address) override {
        BLUETOOTH_ADDRESS copy = address;
        return m_api.removeDevice(&copy);
    }

    SOCKET OpenSocket() override {
        return WinsockReady() ? socket(AF_BTH, SOCK_STREAM, BTHPROTO_RFCOMM) : INVALID_SOCKET;
    }
    int Connect(SOCKET s, const SOCKADDR_BTH& address) override {
        return connect(s, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0
                   ? 0
                   : WSAGetLastError();
    }

  private:
    template <typename Fn>
    bool Lookup(Fn& function, const char* name) {
        function = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(m_module, name)));
        return function != nullptr;
    }

    HMODULE m_module = nullptr;
    BluetoothApi m_api;
};

}  // namespace

std::unique_ptr<BluetoothSystem> MakeWindowsBluetoothSystem() {
    return std::make_unique<WindowsBluetoothSystem>();
}

BTH_ADDR BluetoothAddressValue(const std::string& address) {
    std::string digits;
    for (const char c : address) {
        digits += c != ':' ? std::string(1, c) : "";
    }
    return std::strtoull(digits.c_str(), nullptr, 16);
}

std::string BluetoothAddressText(BTH_ADDR value) {
    char text[18];
    std::snprintf(
        text, sizeof text, "%02X:%02X:%02X:%02X:%02X:%02X",
        static_cast<unsigned>((value >> 40) & 0xFF), static_cast<unsigned>((value >> 32) & 0xFF),
        static_cast<unsigned>((value >> 24) & 0xFF), static_cast<unsigned>((value >> 16) & 0xFF),
        static_cast<unsigned>((value >> 8) & 0xFF), static_cast<unsigned>(value & 0xFF));
    return text;
}

}  // namespace tarvek
