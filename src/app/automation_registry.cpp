#include "app/automation_registry.h"

#include <windows.h>

#include <memory>
#include <vector>

#include "app/automation_ids.h"

namespace tarvek::app {
namespace {

struct KeyCloser {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
using KeyHandle = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser>;

// Sets the default value of HKCR\<path>, creating the key.
bool SetDefaultValue(const std::wstring& path, const std::wstring& value) {
    HKEY raw = nullptr;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_SET_VALUE, nullptr, &raw, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const KeyHandle key(raw);
    const DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key.get(), nullptr, 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(value.c_str()), bytes) == ERROR_SUCCESS;
}

}  // namespace

bool WriteAutomationRegistry(const std::wstring& serverPath) {
    const std::wstring progId = kTarvekProgId;
    const std::wstring classKey = std::wstring(L"CLSID\\") + kTarvekClassIdText;
    struct Entry {
        std::wstring path;
        std::wstring value;
    };
    // A quoted path survives blanks in the folder names.
    const Entry entries[] = {
        {progId, progId},
        {progId + L"\\CLSID", kTarvekClassIdText},
        {classKey, progId},
        {classKey + L"\\ProgID", progId},
        {classKey + L"\\LocalServer32", L"\"" + serverPath + L"\""},
    };
    bool allWritten = true;
    for (const Entry& entry : entries) {
        allWritten = SetDefaultValue(entry.path, entry.value) && allWritten;
    }
    return allWritten;
}

std::wstring ProgramPath() {
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            return std::wstring(path.data(), length);
        }
        path.resize(path.size() * 2);
    }
}

}  // namespace tarvek::app
