#include "link/usb/usb_system_win32.h"

namespace tarvek {
namespace {

class WindowsUsbSystem final : public UsbSystem {
  public:
    ~WindowsUsbSystem() override { UnloadSetupApi(); }

    bool LoadSetupApi(SetupApiFunctions& f) override {
        if (!m_module) {
            m_module = LoadLibraryA("SETUPAPI.DLL");
            if (!m_module) {
                return false;
            }
        }
        f.enumDeviceInterfaces =
            Lookup<decltype(f.enumDeviceInterfaces)>("SetupDiEnumDeviceInterfaces");
        f.destroyDeviceInfoList =
            Lookup<decltype(f.destroyDeviceInfoList)>("SetupDiDestroyDeviceInfoList");
        f.getClassDevsA = Lookup<decltype(f.getClassDevsA)>("SetupDiGetClassDevsA");
        f.getDeviceInterfaceDetailA =
            Lookup<decltype(f.getDeviceInterfaceDetailA)>("SetupDiGetDeviceInterfaceDetailA");
        return f.enumDeviceInterfaces && f.destroyDeviceInfoList && f.getClassDevsA &&
               f.getDeviceInterfaceDetailA;
    }
    void UnloadSetupApi() override {
        if (m_module) {
            FreeLibrary(m_module);
            m_module = nullptr;
        }
    }
    bool IsSetupApiLoaded() const override { return m_module != nullptr; }

    int IsLegacyWindows() override {
        // GetVersionExA answers 6.2 to programs without a compatibility manifest; only the
        // platform and the major version matter here.
        OSVERSIONINFOEXA info{};
        info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOEXA);
        if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info))) {
            info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
            if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info))) {
                return 0;
            }
        }
        if (info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS) {
            return 1;
        }
        if (info.dwPlatformId == VER_PLATFORM_WIN32_NT && info.dwMajorVersion <= 4) {
            return 2;
        }
        return 0;
    }

    HANDLE OpenDevice(const char* path, bool overlapped) override {
        return CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                           overlapped ? FILE_FLAG_OVERLAPPED : 0, nullptr);
    }
    void PauseBeforeRetry() override { ::Sleep(500); }

  private:
    template <typename Fn>
    Fn Lookup(const char* name) {
        return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(m_module, name)));
    }
    HMODULE m_module = nullptr;
};

}  // namespace

std::unique_ptr<UsbSystem> MakeWindowsUsbSystem() {
    return std::make_unique<WindowsUsbSystem>();
}

}  // namespace tarvek
