// Reading web.dat from the working directory: the line rules and the failures that are
// swallowed.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/core/mirror_text.h"
#include "app/core/site_addresses.h"
#include "app/core/text_lines.h"

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

TEST(TextLines, CrLfCrAndLfAreOneBreakEach) {
    EXPECT_EQ(SplitTextLines("a\r\nb\r\nc"), (Lines{"a", "b", "c"}));
    EXPECT_EQ(SplitTextLines("a\rb\rc"), (Lines{"a", "b", "c"}));
    EXPECT_EQ(SplitTextLines("a\nb\nc"), (Lines{"a", "b", "c"}));
    EXPECT_EQ(SplitTextLines("a\rb\nc\r\n"), (Lines{"a", "b", "c"}));
}

TEST(TextLines, LfThenCrIsTwoBreaks) {
    EXPECT_EQ(SplitTextLines("a\n\rb"), (Lines{"a", "", "b"}));
}

TEST(TextLines, BreakAtTheEndAddsNoLineButADoubledOneDoes) {
    EXPECT_EQ(SplitTextLines("a\nb\nc\n").size(), 3u);
    EXPECT_EQ(SplitTextLines("a\nb\nc\n\n"), (Lines{"a", "b", "c", ""}));
    EXPECT_EQ(SplitTextLines("a\r\n\r\n\r\n"), (Lines{"a", "", ""}));
    EXPECT_EQ(SplitTextLines("a\r\n\r\n"), (Lines{"a", ""}));
}

TEST(TextLines, EmptyTextHasNoLinesAndALoneBreakOneEmptyLine) {
    EXPECT_TRUE(SplitTextLines("").empty());
    EXPECT_EQ(SplitTextLines("\r\n"), (Lines{""}));
}

TEST(TextLines, ZeroByteEndsTheText) {
    EXPECT_EQ(SplitTextLines(std::string("a\nb\0b\nc\n", 8)), (Lines{"a", "b"}));
}

TEST(TextLines, BlanksBelongToTheLine) {
    EXPECT_EQ(SplitTextLines(" a \n\tb\n"), (Lines{" a ", "\tb"}));
}

// Each test runs in a fresh temporary folder as the working directory.
class SiteFile : public ::testing::Test {
protected:
    void SetUp() override {
        ReleaseSiteAddresses();
        old_ = fs::current_path();
        dir_ = fs::temp_directory_path() /
               ("brimblo-site-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        fs::current_path(dir_);
    }
    void TearDown() override {
        fs::current_path(old_);
        fs::remove_all(dir_);
        ReleaseSiteAddresses();
    }
    void Write(const std::string& bytes, const fs::path& where = "web.dat") {
        std::ofstream(where, std::ios::binary) << bytes;
    }
    std::string Loaded() {
        LoadSiteAddresses();
        return ChannelAddress;
    }
    const std::string kPlain = "http://127.0.0.1:88/edu/channel.htm";
    const std::string kStored = MirrorText(kPlain);
    fs::path old_, dir_;
};

TEST_F(SiteFile, ThreeLinesGiveTheMirroredFirstLine) {
    Write(kStored + "\r\nline two\r\nline three");
    EXPECT_EQ(Loaded(), kPlain);
}

TEST_F(SiteFile, ABreakAfterTheThirdLineStillCountsAsThreeLines) {
    Write(kStored + "\r\nx\r\ny\r\n");
    EXPECT_EQ(Loaded(), kPlain);
}

TEST_F(SiteFile, ADoubledBreakAtTheEndMakesFourLines) {
    Write(kStored + "\r\nx\r\ny\r\n\r\n");
    EXPECT_EQ(Loaded(), "");
}

TEST_F(SiteFile, LoneCarriageReturnsAndLineFeedsCountTheSame) {
    Write(kStored + "\rx\ry");
    EXPECT_EQ(Loaded(), kPlain);
    ReleaseSiteAddresses();
    Write(kStored + "\nx\ny\n");
    EXPECT_EQ(Loaded(), kPlain);
}

TEST_F(SiteFile, LinesTwoAndThreeMayBeEmpty) {
    Write(kStored + "\r\n\r\n\r\n");
    EXPECT_EQ(Loaded(), kPlain);
}

TEST_F(SiteFile, OnlyTwoBreaksAfterLineOneMakeTwoLines) {
    Write(kStored + "\r\n\r\n");
    EXPECT_EQ(Loaded(), "");
}

TEST_F(SiteFile, AZeroByteInLineTwoCutsTheFileToTwoLines) {
    Write(kStored + std::string("\r\nab\0c\r\nthree\r\n", 14));
    EXPECT_EQ(Loaded(), "");
}

TEST_F(SiteFile, ATrailingBlankStaysPartOfTheAddress) {
    Write(kStored + " \nx\ny");
    EXPECT_EQ(Loaded(), kPlain + " ");
}

TEST_F(SiteFile, OneOrFourLinesLeaveTheAddressEmpty) {
    Write(kStored);
    EXPECT_EQ(Loaded(), "");
    Write(kStored + "\na\nb\nc");
    EXPECT_EQ(Loaded(), "");
}

TEST_F(SiteFile, EmptyFileLeavesTheAddressEmpty) {
    Write("");
    EXPECT_EQ(Loaded(), "");
}

TEST_F(SiteFile, MissingFileIsSwallowed) {
    EXPECT_NO_THROW(LoadSiteAddresses());
    EXPECT_EQ(ChannelAddress, "");
}

TEST_F(SiteFile, AFolderNamedWebDatIsSwallowed) {
    fs::create_directory("web.dat");
    EXPECT_NO_THROW(LoadSiteAddresses());
    EXPECT_EQ(ChannelAddress, "");
}

TEST_F(SiteFile, UnreadableFileIsSwallowed) {
    Write(kStored + "\nx\ny");
    fs::permissions("web.dat", fs::perms::none);
    if (std::FILE* f = std::fopen("web.dat", "rb")) {  // running with rights to read anything
        std::fclose(f);
        GTEST_SKIP() << "this user can read a file without read permission";
    }
    EXPECT_EQ(Loaded(), "");
}

TEST_F(SiteFile, OnlyTheWorkingDirectoryIsLookedAt) {
    fs::create_directory("other");
    Write(kStored + "\nx\ny", "web.dat");
    fs::current_path("other");
    EXPECT_EQ(Loaded(), "");
    fs::current_path("..");
    EXPECT_EQ(Loaded(), kPlain);
}

TEST_F(SiteFile, AnOversizedFileIsRefusedWithoutHanging) {
    Write(kStored + "\nx\n" + std::string(3 << 20, 'y'));
    EXPECT_EQ(Loaded(), "");
}

TEST_F(SiteFile, AFailedReadKeepsTheAddressAlreadyLoaded) {
    Write(kStored + "\nx\ny");
    EXPECT_EQ(Loaded(), kPlain);
    fs::remove("web.dat");
    EXPECT_EQ(Loaded(), kPlain);
}

TEST_F(SiteFile, ShutdownEmptiesTheAddress) {
    Write(kStored + "\nx\ny");
    EXPECT_EQ(Loaded(), kPlain);
    ReleaseSiteAddresses();
    EXPECT_EQ(ChannelAddress, "");
}

TEST_F(SiteFile, TheShippedFileNamesTheSampleChannelPage) {
    fs::copy_file(fs::path(BRIMBLO_SOURCE_DIR) / "resources" / "web.dat", "web.dat");
    std::string address = Loaded();
    EXPECT_EQ(address.rfind("http://", 0), 0u) << address;
    EXPECT_EQ(address.substr(address.size() - std::string("/edu/channel.htm").size()), "/edu/channel.htm");
}
