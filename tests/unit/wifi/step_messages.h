// The messages of the read and write steps, in step order, as the user sees them.
#pragma once

namespace tarvek::testing {

inline const char* const kReadNoReply[] = {"Get IP Read Failed",
                                           "Get Netmask Read Failed",
                                           "Get Gateway Read Failed",
                                           "Get DNS Read Failed",
                                           "Get SSID Read Failed",
                                           "Get Wi-Fi Options Read Failed",
                                           "Get Wi-Fi 40-Bit WEP Key Read Failed",
                                           "Get Wi-Fi 104-Bit WEP Key Read Failed",
                                           "Get Wi-Fi WPA Options Read Failed",
                                           "Get Wi-Fi WPA PSK Options Read Failed",
                                           "Get Mac Address Read Failed"};
// nullptr: a refusal at that step is no failure (the WEP-only module).
inline const char* const kReadRefused[] = {"Get IP Information Failed",
                                           "Get Netmask Information Failed",
                                           "Get Gateway Information Failed",
                                           "Get DNS Information Failed",
                                           "Get SSID Information Failed",
                                           "Get Wi-Fi Options Information Failed",
                                           "Get Wi-Fi 40-Bit WEP Key Information Failed",
                                           "Get Wi-Fi 104-Bit WEP Key Information Failed",
                                           "Get Wi-Fi WPA Options Information Failed",
                                           nullptr,
                                           "Get Mac Address Failed"};
inline const char* const kWriteNoReply[] = {"Set IP and Read Failed",
                                            "Set Netmask and Read Failed",
                                            "Set Gateway and Read Failed",
                                            "Set DNS and Read Failed",
                                            "Set SSID and Read Failed",
                                            "Set WLAN Options and Read Failed",
                                            "Set 40-Bits WEP Key and Read Failed",
                                            "Set 104-Bits WEP Key and Read Failed",
                                            "Set WPA KEY and Read Failed",
                                            "Set WPA KEY and Read Failed"};
inline const char* const kWriteRefused[] = {"Set IP Write Syntex Error",
                                            "Set Netmask Syntex Error",
                                            "Set Gateway Syntex Error",
                                            "Set DNS Syntex Error",
                                            "Set SSID Syntex Error",
                                            "Set WLAN Write Syntex Error",
                                            "Set 40-Bits WEP Key Syntex Error",
                                            "Set 104-Bits WEP Key Syntex Error",
                                            "Set WPA KEY Syntex Error",
                                            "Set WPA KEY Syntex Error"};

}  // namespace tarvek::testing
