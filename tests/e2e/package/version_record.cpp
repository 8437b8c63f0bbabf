// Prints a program's version record as Windows reads it (GetFileVersionInfoW), one
// "Key=value" line each, in UTF-8:
//   version_record <program.exe>
// Fixed=a, b, c, d is the fixed file version; the texts come from the US English block.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

int wmain(int argc, wchar_t** argv) {
    DWORD handle = 0;
    const DWORD size = argc == 2 ? GetFileVersionInfoSizeW(argv[1], &handle) : 0;
    std::vector<BYTE> record(size);
    if (size == 0 || !GetFileVersionInfoW(argv[1], 0, size, record.data())) {
        std::fprintf(stderr, "version_record: no version record (error %lu)\n", GetLastError());
        return 1;
    }
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (VerQueryValueW(record.data(), L"\\", reinterpret_cast<void**>(&fixed), &length)) {
        std::printf("Fixed=%d, %d, %d, %d\n", HIWORD(fixed->dwFileVersionMS),
                    LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS),
                    LOWORD(fixed->dwFileVersionLS));
    }
    for (const wchar_t* key : {L"FileDescription", L"FileVersion", L"OriginalFilename",
                               L"ProductName", L"ProductVersion"}) {
        const std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + key;
        wchar_t* text = nullptr;
        if (VerQueryValueW(record.data(), path.c_str(), reinterpret_cast<void**>(&text), &length)) {
            const std::wstring line = std::wstring(key) + L"=" + text;
            char utf8[512] = {};
            WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, utf8, sizeof(utf8) - 1, nullptr,
                                nullptr);
            std::printf("%s\n", utf8);
        }
    }
    return 0;
}
