// web.dat is opened for reading only, shared with other readers but not with writers.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "app/core/mirror_text.h"
#include "app/core/read_only_file.h"
#include "app/core/site_addresses.h"

namespace {

// Each test works in a fresh folder of its own as the working directory.
class SiteFileSharing : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = ChannelAddress;
        ReleaseSiteAddresses();
        GetCurrentDirectoryA(MAX_PATH, old_);
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        dir_ = std::string(temp) + "brimblo-share-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(dir_.c_str(), nullptr);
        ASSERT_TRUE(SetCurrentDirectoryA(dir_.c_str()));
        HANDLE f = CreateFileA("web.dat", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(f, INVALID_HANDLE_VALUE);
        std::string text = MirrorText(kAddress) + "\r\ntwo\r\nthree\r\n";
        DWORD written = 0;
        WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        CloseHandle(f);
    }
    void TearDown() override {
        SetCurrentDirectoryA(old_);
        DeleteFileA((dir_ + "\\web.dat").c_str());
        RemoveDirectoryA(dir_.c_str());
        ChannelAddress = saved_;
    }
    // Another program's handle on web.dat, or INVALID_HANDLE_VALUE when refused.
    static HANDLE OpenAsAnotherProgram(DWORD access, DWORD share) {
        return CreateFileA("web.dat", access, share, nullptr, OPEN_EXISTING, 0, nullptr);
    }

    const std::string kAddress = "http://127.0.0.1:88/edu/channel.htm";
    std::string saved_, dir_;
    char old_[MAX_PATH] = {};
};

TEST_F(SiteFileSharing, WhileOpenAWriterIsRefusedAndAReaderIsNot) {
    ReadOnlyFile file("web.dat");
    ASSERT_TRUE(file.isOpen());
    HANDLE writer = OpenAsAnotherProgram(GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
    DWORD error = GetLastError();
    EXPECT_EQ(writer, INVALID_HANDLE_VALUE);
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    if (writer != INVALID_HANDLE_VALUE) CloseHandle(writer);
    HANDLE reader = OpenAsAnotherProgram(GENERIC_READ, FILE_SHARE_READ);
    EXPECT_NE(reader, INVALID_HANDLE_VALUE);
    if (reader != INVALID_HANDLE_VALUE) CloseHandle(reader);
}

TEST_F(SiteFileSharing, AFileAnotherProgramReadsIsReadAtStart) {
    HANDLE reader = OpenAsAnotherProgram(GENERIC_READ, FILE_SHARE_READ);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    LoadSiteAddresses();
    CloseHandle(reader);
    EXPECT_EQ(ChannelAddress, kAddress);
}

TEST_F(SiteFileSharing, AFileAnotherProgramWritesIsNotOpenedAndTheAddressStaysEmpty) {
    HANDLE writer = OpenAsAnotherProgram(GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    LoadSiteAddresses();
    CloseHandle(writer);
    EXPECT_EQ(ChannelAddress, "");
    LoadSiteAddresses();  // once the writer has gone, the same file reads
    EXPECT_EQ(ChannelAddress, kAddress);
}

}  // namespace
