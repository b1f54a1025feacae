#include "platform/win32/registry_win32.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <string>

namespace tavrin::win32 {
namespace {

constexpr wchar_t kPath[] = L"Software\\TavrinTests";

// The tests' key under HKCU, removed afterwards.
struct RegistryAdapter : ::testing::Test {
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, kPath); }
    // Written behind the adapter's back, as another program would.
    static void PutRaw(const wchar_t* name, DWORD type, const void* data, DWORD size) {
        ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kPath, name, type, data, size), ERROR_SUCCESS);
    }

    Win32Registry registry_;
    std::unique_ptr<RegistryKey> key_ = registry_.OpenKey(Hive::CurrentUser, "Software\\TavrinTests");
};

// Binary and DWORD values the e2e suites write and read through the program;
// here the texts beyond ASCII, cut to a length, and empty or missing values.
TEST_F(RegistryAdapter, TextRoundTripsIsCutWithoutOverrunAndAnEmptyOneStillCounts) {
    ASSERT_NE(key_, nullptr);
    const std::string text = "定时关机－管理员";
    EXPECT_EQ(key_->WriteText("DefaultUserName", text), RegStatus::Ok);
    EXPECT_EQ(key_->ReadText("DEFAULTUSERNAME", 255), text);
    EXPECT_EQ(key_->ReadText("DefaultUserName", 4), "定时关机");
    EXPECT_EQ(key_->WriteText("gone", ""), RegStatus::Ok);
    EXPECT_EQ(key_->ValueSize("gone"), sizeof(wchar_t));  // an empty text still has its zero
    EXPECT_EQ(key_->DeleteValue("GONE"), RegStatus::Ok);
    EXPECT_EQ(key_->DeleteValue("gone"), RegStatus::Ok);  // harmless when missing
    EXPECT_EQ(key_->ValueSize("gone"), 0u);
    EXPECT_FALSE(key_->ReadBytes("gone", 56));
    EXPECT_FALSE(key_->ReadText("gone", 10));
}

TEST_F(RegistryAdapter, ValuesOfTheWrongShapeAreReadSafely) {
    const DWORD one = 1;
    PutRaw(L"AutoadminLogon", REG_DWORD, &one, sizeof one);
    EXPECT_FALSE(key_->ReadText("AutoadminLogon", 9));  // not a text
    EXPECT_EQ(key_->ReadBytes("AutoadminLogon", 56), (std::vector<std::uint8_t>{1, 0, 0, 0}));
    const wchar_t unterminated[] = {L'a', L'b', L'c'};
    PutRaw(L"raw", REG_SZ, unterminated, sizeof unterminated);
    EXPECT_EQ(key_->ReadText("raw", 255), "abc");
    const BYTE odd[] = {'x', 0, 'y'};  // an odd byte count
    PutRaw(L"odd", REG_SZ, odd, sizeof odd);
    EXPECT_EQ(key_->ReadText("odd", 255), "x");
    PutRaw(L"empty", REG_BINARY, nullptr, 0);
    EXPECT_EQ(key_->ValueSize("empty"), 0u);
    EXPECT_EQ(key_->ReadBytes("empty", 56), std::vector<std::uint8_t>{});
}

}  // namespace
}  // namespace tavrin::win32
