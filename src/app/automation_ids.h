// The identity of the automation server "Tarvek.Application".
#pragma once

#include <windows.h>

namespace tarvek::app {

// {45CB1BFF-78CE-4B47-89CD-E0CD7B68C5E9}
inline constexpr CLSID kTarvekClassId = {
    0x45CB1BFF, 0x78CE, 0x4B47, {0x89, 0xCD, 0xE0, 0xCD, 0x7B, 0x68, 0xC5, 0xE9}};
// {FC3ED639-A85E-4166-B745-B233F48D8610}: the dispatch interface of the proxy object.
inline constexpr IID kTarvekDispatchId = {
    0xFC3ED639, 0xA85E, 0x4166, {0xB7, 0x45, 0xB2, 0x33, 0xF4, 0x8D, 0x86, 0x10}};

inline constexpr const wchar_t* kTarvekProgId = L"Tarvek.Application";
inline constexpr const wchar_t* kTarvekClassIdText = L"{45CB1BFF-78CE-4B47-89CD-E0CD7B68C5E9}";

}  // namespace tarvek::app
