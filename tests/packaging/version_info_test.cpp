// The built program's version information and icon, read back the way the shell reads
// them; and the installer's own version information.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "version.h"

namespace {

std::vector<std::uint8_t> versionBlock(const wchar_t* path) {
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeW(path, &ignored);
    std::vector<std::uint8_t> block(size);
    if (size == 0 || !GetFileVersionInfoW(path, 0, size, block.data())) block.clear();
    return block;
}

const VS_FIXEDFILEINFO* fixedInfo(std::vector<std::uint8_t>& block) {
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), L"\\", &value, &length) || length < sizeof(VS_FIXEDFILEINFO))
        return nullptr;
    return static_cast<const VS_FIXEDFILEINFO*>(value);
}

struct Translation {
    WORD language;
    WORD codePage;
};

std::vector<Translation> translations(std::vector<std::uint8_t>& block) {
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &value, &length)) return {};
    auto* first = static_cast<const Translation*>(value);
    return {first, first + length / sizeof(Translation)};
}

std::wstring stringValue(std::vector<std::uint8_t>& block, Translation t, const wchar_t* name) {
    wchar_t query[96];
    swprintf(query, 96, L"\\StringFileInfo\\%04x%04x\\%ls", t.language, t.codePage, name);
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), query, &value, &length) || length == 0) return L"<missing>";
    return static_cast<const wchar_t*>(value);
}

void expectProjectVersion(const VS_FIXEDFILEINFO& info) {
    EXPECT_EQ(info.dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(info.dwFileVersionMS, DWORD(MAKELONG(BRIMBLO_VERSION_MINOR, BRIMBLO_VERSION_MAJOR)));
    EXPECT_EQ(info.dwFileVersionLS, DWORD(MAKELONG(0, BRIMBLO_VERSION_PATCH)));
    EXPECT_EQ(info.dwProductVersionMS, info.dwFileVersionMS);
    EXPECT_EQ(info.dwProductVersionLS, info.dwFileVersionLS);
}

}  // namespace

TEST(ProgramVersionInformation, CarriesTheProjectVersion) {
    auto block = versionBlock(L"" BRIMBLO_PROGRAM);
    ASSERT_FALSE(block.empty()) << "no version information in " << BRIMBLO_PROGRAM;
    const VS_FIXEDFILEINFO* info = fixedInfo(block);
    ASSERT_NE(info, nullptr);
    expectProjectVersion(*info);
    EXPECT_EQ(info->dwFileType, DWORD(VFT_APP));
}

TEST(ProgramVersionInformation, ChineseAndEnglishTablesNameTheProduct) {
    auto block = versionBlock(L"" BRIMBLO_PROGRAM);
    ASSERT_FALSE(block.empty());
    const auto list = translations(block);
    ASSERT_EQ(list.size(), 2u);
    const std::pair<Translation, const wchar_t*> tables[] = {
        {{0x0804, 1200}, L"" BRIMBLO_DESCRIPTION_ZH}, {{0x0409, 1200}, L"" BRIMBLO_DESCRIPTION_EN}};
    for (const auto& [table, description] : tables) {
        SCOPED_TRACE(table.language);
        EXPECT_TRUE(std::any_of(list.begin(), list.end(), [&](Translation t) {
            return t.language == table.language && t.codePage == table.codePage;
        }));
        EXPECT_EQ(stringValue(block, table, L"ProductName"), L"" BRIMBLO_PRODUCT_NAME);
        EXPECT_EQ(stringValue(block, table, L"FileDescription"), description);
        EXPECT_EQ(stringValue(block, table, L"ProductVersion"), L"" BRIMBLO_VERSION_TEXT);
        EXPECT_EQ(stringValue(block, table, L"FileVersion"), L"" BRIMBLO_VERSION_TEXT);
        EXPECT_EQ(stringValue(block, table, L"CompanyName"), L"" BRIMBLO_PUBLISHER);
        EXPECT_EQ(stringValue(block, table, L"LegalCopyright"), L"" BRIMBLO_COPYRIGHT);
        EXPECT_EQ(stringValue(block, table, L"OriginalFilename"), L"brimblo.exe");
    }
}

TEST(InstallerVersionInformation, NamesTheProductAndItsVersion) {
    auto block = versionBlock(L"" BRIMBLO_INSTALLER);
    ASSERT_FALSE(block.empty()) << "no version information in " << BRIMBLO_INSTALLER;
    const VS_FIXEDFILEINFO* info = fixedInfo(block);
    ASSERT_NE(info, nullptr);
    expectProjectVersion(*info);
    const auto list = translations(block);
    ASSERT_FALSE(list.empty());
    EXPECT_EQ(stringValue(block, list.front(), L"ProductName"), L"" BRIMBLO_PRODUCT_NAME);
    EXPECT_EQ(stringValue(block, list.front(), L"ProductVersion"), L"" BRIMBLO_VERSION_TEXT);
}

namespace {

// The image of the first entry of an .ico file: what the program's icon must carry.
std::vector<std::uint8_t> firstIcoImage(const char* path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::uint8_t> file{std::istreambuf_iterator<char>(in), {}};
    if (file.size() < 22) return {};
    auto u32 = [&](size_t at) {
        return std::uint32_t(file[at]) | file[at + 1] << 8 | file[at + 2] << 16 | std::uint32_t(file[at + 3]) << 24;
    };
    const std::uint32_t size = u32(6 + 8), offset = u32(6 + 12);
    if (offset + size > file.size()) return {};
    return {file.begin() + offset, file.begin() + offset + size};
}

BOOL CALLBACK keepFirstName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR found) {
    auto* first = reinterpret_cast<std::wstring*>(found);
    *first = IS_INTRESOURCE(name) ? L"#" + std::to_wstring(reinterpret_cast<ULONG_PTR>(name)) : name;
    return FALSE;
}

struct DataModule {
    HMODULE handle;
    explicit DataModule(const wchar_t* path)
        : handle(LoadLibraryExW(path, nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
    ~DataModule() {
        if (handle) FreeLibrary(handle);
    }
};

}  // namespace

// The shell shows a program's first icon group: it must be the bear.
TEST(ProgramIcon, ShellFindsTheBearFirst) {
    EXPECT_GE(ExtractIconExW(L"" BRIMBLO_PROGRAM, -1, nullptr, nullptr, 0), 1u);
    DataModule program(L"" BRIMBLO_PROGRAM);
    ASSERT_NE(program.handle, nullptr);
    std::wstring first;
    EnumResourceNamesW(program.handle, RT_GROUP_ICON, keepFirstName, reinterpret_cast<LONG_PTR>(&first));
    ASSERT_FALSE(first.empty());

    HRSRC group = FindResourceW(program.handle, first.c_str(), RT_GROUP_ICON);
    ASSERT_NE(group, nullptr);
    const auto* dir = static_cast<const std::uint8_t*>(LockResource(LoadResource(program.handle, group)));
    ASSERT_GE(SizeofResource(program.handle, group), 6u + 14u);
    // GRPICONDIRENTRY: 12 bytes of image description, then the icon's resource number.
    const WORD iconId = WORD(dir[6 + 12] | dir[6 + 13] << 8);
    HRSRC icon = FindResourceW(program.handle, MAKEINTRESOURCEW(iconId), RT_ICON);
    ASSERT_NE(icon, nullptr);
    const auto* bits = static_cast<const std::uint8_t*>(LockResource(LoadResource(program.handle, icon)));
    const std::vector<std::uint8_t> image(bits, bits + SizeofResource(program.handle, icon));
    EXPECT_EQ(image, firstIcoImage(BRIMBLO_SOURCE_DIR "/resources/bear.ico"));
}
