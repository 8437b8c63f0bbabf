// The start modes and the registry entries of a stand-alone start.
#include <gtest/gtest.h>

#include <windows.h>

#include <objbase.h>

#include <string>
#include <vector>

#include "app/automation_ids.h"
#include "app/automation_registry.h"
#include "app/command_line.h"

namespace tarvek::app {
namespace {

TEST(StartMode, OptionsAfterDashOrSlashInAnyCase) {
    EXPECT_EQ(ParseStartMode({}), StartMode::StandAlone);
    EXPECT_EQ(ParseStartMode({L"-Embedding"}), StartMode::Embedding);
    EXPECT_EQ(ParseStartMode({L"/embedding"}), StartMode::Embedding);
    EXPECT_EQ(ParseStartMode({L"/Automation"}), StartMode::Automation);
    EXPECT_EQ(ParseStartMode({L"-AUTOMATION"}), StartMode::Automation);
}

TEST(StartMode, EmbeddingIsLookedForFirst) {
    EXPECT_EQ(ParseStartMode({L"/Automation", L"-Embedding"}), StartMode::Embedding);
}

TEST(StartMode, WordsThatAreNotOptionsStartStandAlone) {
    EXPECT_EQ(ParseStartMode({L"Automation"}), StartMode::StandAlone);
    EXPECT_EQ(ParseStartMode({L"-Embed"}), StartMode::StandAlone);
    EXPECT_EQ(ParseStartMode({L"-Automations", L"file.txt"}), StartMode::StandAlone);
    EXPECT_EQ(ParseStartMode({L"-"}), StartMode::StandAlone);
}

std::wstring DefaultValue(const std::wstring& path) {
    wchar_t value[512] = {};
    DWORD bytes = sizeof(value);
    if (RegGetValueW(HKEY_CLASSES_ROOT, path.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, value,
                     &bytes) != ERROR_SUCCESS) {
        return L"<missing>";
    }
    return value;
}

TEST(AutomationRegistry, WritesProgIdAndClassEntries) {
    const std::wstring classKey = std::wstring(L"CLSID\\") + kTarvekClassIdText;
    RegDeleteTreeW(HKEY_CLASSES_ROOT, kTarvekProgId);
    RegDeleteTreeW(HKEY_CLASSES_ROOT, classKey.c_str());
    ASSERT_TRUE(WriteAutomationRegistry(L"C:\\Program Files\\Tarvek\\tarvek.exe"));
    EXPECT_EQ(DefaultValue(L"Tarvek.Application"), L"Tarvek.Application");
    EXPECT_EQ(DefaultValue(L"Tarvek.Application\\CLSID"),
              L"{45CB1BFF-78CE-4B47-89CD-E0CD7B68C5E9}");
    EXPECT_EQ(DefaultValue(classKey), L"Tarvek.Application");
    EXPECT_EQ(DefaultValue(classKey + L"\\ProgID"), L"Tarvek.Application");
    EXPECT_EQ(DefaultValue(classKey + L"\\LocalServer32"),
              L"\"C:\\Program Files\\Tarvek\\tarvek.exe\"");
    // Every start rewrites them.
    ASSERT_TRUE(WriteAutomationRegistry(L"C:\\tarvek.exe"));
    EXPECT_EQ(DefaultValue(classKey + L"\\LocalServer32"), L"\"C:\\tarvek.exe\"");
    CLSID fromProgId{};
    EXPECT_EQ(CLSIDFromProgID(kTarvekProgId, &fromProgId), S_OK);
    EXPECT_TRUE(IsEqualCLSID(fromProgId, kTarvekClassId));
}

TEST(AutomationRegistry, ProgramPathNamesThisProgram) {
    const std::wstring path = ProgramPath();
    ASSERT_GT(path.size(), 4u);
    EXPECT_EQ(path.substr(path.size() - 20), L"\\win32_app_tests.exe");
}

}  // namespace
}  // namespace tarvek::app
