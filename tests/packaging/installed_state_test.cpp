// Checks of an installation's state on this machine, run by install_test.sh between its
// steps: Installed.* after a silent installation, Removed.* after a silent removal.
//   BRIMBLO_INSTALL_FOLDER    the folder chosen at installation (default under Program Files)
//   BRIMBLO_DESKTOP_SHORTCUT  "0" when the desktop shortcut was declined
//   BRIMBLO_KEPT_FILE         a file of the user's own in that folder, which must survive
#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "installed_layout.h"
#include "release_names.h"
#include "shell_link.h"
#include "version.h"

namespace {

class ComEnvironment : public ::testing::Environment {
    void SetUp() override { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    void TearDown() override { CoUninitialize(); }
};
const auto* const kCom = ::testing::AddGlobalTestEnvironment(new ComEnvironment);

bool desktopShortcutChosen() { return environmentValue(L"BRIMBLO_DESKTOP_SHORTCUT") != L"0"; }

bool exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string contents(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The uninstall entry lives in the registry view of the installer's own bitness (the
// 32-bit view for the released installer, whatever the system); the installer under test
// is made for the same Windows as this test.
HKEY openUninstallEntry(const InstalledLayout& layout) {
    constexpr REGSAM view = sizeof(void*) == 8 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, layout.uninstallKey.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

std::optional<std::wstring> stringValue(HKEY key, const wchar_t* name) {
    wchar_t value[1024] = {};
    DWORD size = sizeof value;
    if (RegGetValueW(key, nullptr, name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS) return {};
    return value;
}

std::optional<DWORD> numberValue(HKEY key, const wchar_t* name) {
    DWORD value = 0, size = sizeof value;
    if (RegGetValueW(key, nullptr, name, RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS) return {};
    return value;
}

// A shortcut that starts the installed program in the install folder with its icon.
void expectProgramShortcut(const std::wstring& linkFile, const InstalledLayout& layout) {
    SCOPED_TRACE(testing::Message() << "shortcut " << linkFile);
    ASSERT_TRUE(exists(linkFile));
    const ShellLink link = ShellLink::read(linkFile);
    const std::wstring program = layout.file(L"brimblo.exe");
    EXPECT_TRUE(samePath(link.target, program)) << link.target;
    EXPECT_TRUE(samePath(link.workingFolder, layout.folder)) << link.workingFolder;
    EXPECT_TRUE(samePath(link.iconFile, program)) << link.iconFile;
    EXPECT_EQ(link.iconIndex, 0);
}

}  // namespace

TEST(Installed, ProgramAndSiteAddressFileAreInTheInstallFolder) {
    const auto layout = InstalledLayout::expected();
    ASSERT_TRUE(exists(layout.file(L"brimblo.exe"))) << layout.folder;
    const std::string program = contents(BRIMBLO_PROGRAM), siteAddresses = contents(BRIMBLO_WEB_DAT);
    ASSERT_FALSE(program.empty() || siteAddresses.empty()) << "the released files are not readable";
    EXPECT_EQ(contents(layout.file(L"brimblo.exe")), program);
    EXPECT_EQ(contents(layout.file(L"web.dat")), siteAddresses);
    EXPECT_TRUE(exists(layout.file(L"" BRIMBLO_UNINSTALLER_NAME)));
}

TEST(Installed, StartMenuEntryStartsTheProgramInTheInstallFolder) {
    const auto layout = InstalledLayout::expected();
    expectProgramShortcut(layout.startMenuEntry, layout);
}

TEST(Installed, DesktopShortcutIsThereWhenChosen) {
    const auto layout = InstalledLayout::expected();
    if (desktopShortcutChosen())
        expectProgramShortcut(layout.desktopShortcut, layout);
    else
        EXPECT_FALSE(exists(layout.desktopShortcut));
}

TEST(Installed, UninstallerIsInTheSystemsListOfPrograms) {
    const auto layout = InstalledLayout::expected();
    HKEY key = openUninstallEntry(layout);
    ASSERT_NE(key, nullptr) << "no uninstall entry";
    const std::wstring uninstaller = L"\"" + layout.file(L"" BRIMBLO_UNINSTALLER_NAME) + L"\"";
    EXPECT_EQ(stringValue(key, L"DisplayName"), std::wstring(L"" BRIMBLO_PRODUCT_NAME));
    EXPECT_EQ(stringValue(key, L"DisplayVersion"), std::wstring(L"" BRIMBLO_VERSION_TEXT));
    EXPECT_EQ(stringValue(key, L"Publisher"), std::wstring(L"" BRIMBLO_PUBLISHER));
    EXPECT_TRUE(samePath(stringValue(key, L"InstallLocation").value_or(L""), layout.folder));
    EXPECT_TRUE(samePath(stringValue(key, L"UninstallString").value_or(L""), uninstaller));
    EXPECT_TRUE(samePath(stringValue(key, L"QuietUninstallString").value_or(L""), uninstaller + L" /S"));
    EXPECT_TRUE(samePath(stringValue(key, L"DisplayIcon").value_or(L""), layout.file(L"brimblo.exe") + L",0"));
    // The three installed files take some hundreds of KiB.
    EXPECT_GT(numberValue(key, L"EstimatedSize").value_or(0), 100u);
    EXPECT_EQ(numberValue(key, L"DesktopShortcut").has_value(), desktopShortcutChosen());
    RegCloseKey(key);
}

TEST(Removed, NoInstalledFileRemains) {
    const auto layout = InstalledLayout::expected();
    for (const wchar_t* name : {L"brimblo.exe", L"web.dat", L"" BRIMBLO_UNINSTALLER_NAME})
        EXPECT_FALSE(exists(layout.file(name))) << layout.file(name);
    const std::wstring kept = environmentValue(L"BRIMBLO_KEPT_FILE");
    if (kept.empty()) {
        EXPECT_FALSE(exists(layout.folder)) << layout.folder;
        return;
    }
    // The user's own file stays, and so does the folder that holds it.
    EXPECT_TRUE(exists(layout.file(kept.c_str())));
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(layout.file(L"*").c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    int entries = 0;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") ++entries;
    } while (FindNextFileW(search, &found));
    FindClose(search);
    EXPECT_EQ(entries, 1);
}

TEST(Removed, NoShortcutRemains) {
    const auto layout = InstalledLayout::expected();
    EXPECT_FALSE(exists(layout.startMenuEntry));
    EXPECT_FALSE(exists(layout.desktopShortcut));
}

TEST(Removed, NoUninstallEntryRemains) {
    const auto layout = InstalledLayout::expected();
    HKEY key = openUninstallEntry(layout);
    EXPECT_EQ(key, nullptr);
    if (key) RegCloseKey(key);
}
