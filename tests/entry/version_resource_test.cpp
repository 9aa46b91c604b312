#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/entry/plugin_library.h"

namespace {

class VersionResource : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string path = PluginPath();
        DWORD handle = 0;
        SetLastError(0xdeadbeef);
        DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
        ASSERT_NE(0u, size) << path << " error " << GetLastError();
        data_.resize(size);
        ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, data_.data()));
    }

    // The string of `key` in string table `table`, or nullptr when absent.
    const char* Value(const char* table, const char* key) {
        std::string query = std::string("\\StringFileInfo\\") + table + "\\" + key;
        void* value = nullptr;
        UINT length = 0;
        if (!VerQueryValueA(data_.data(), query.c_str(), &value, &length) || !value)
            return nullptr;
        return static_cast<const char*>(value);
    }

    std::vector<char> data_;
};

TEST_F(VersionResource, FixedPart) {
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(data_.data(), "\\", &value, &length));
    ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ(0xFEEF04BDu, fixed->dwSignature);
    EXPECT_EQ(0x00000002u, fixed->dwFileVersionMS);  // 0.2
    EXPECT_EQ(0x00020000u, fixed->dwFileVersionLS);  // .2.0
    EXPECT_EQ(0x00000002u, fixed->dwProductVersionMS);
    EXPECT_EQ(0x00020000u, fixed->dwProductVersionLS);
    EXPECT_EQ(static_cast<DWORD>(VOS_NT_WINDOWS32), fixed->dwFileOS);
    EXPECT_EQ(static_cast<DWORD>(VFT_DLL), fixed->dwFileType);
}

TEST_F(VersionResource, TranslationNamesUsEnglishWindowsLatin1) {
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(data_.data(), "\\VarFileInfo\\Translation", &value, &length));
    ASSERT_EQ(4u, length);
    const WORD* pair = static_cast<const WORD*>(value);
    EXPECT_EQ(0x0409, pair[0]);
    EXPECT_EQ(0x04e4, pair[1]);
}

TEST_F(VersionResource, StringTables) {
    const struct {
        const char* table;
        const char* key;
        const char* value;  // nullptr: the key is absent
    } cases[] = {
        {"040904e4", "MIMEType", "application/vnd.vantrel-zorbit"},
        {"040904e4", "FileExtents", "zbx"},
        {"040904e4", "FileOpenName", "Zorbit Plugin (*.zbx)"},
        {"040904e4", "FileDescription", "Zorbit Plugin"},
        {"040904e4", "InternalName", "Zorbit Plugin"},
        {"040904e4", "ProductName", "Vantrel Software Inc. Zorbit Plugin"},
        {"040904e4", "CompanyName", "Vantrel Software Inc."},
        {"040904e4", "FileVersion", "0, 2, 2, 0"},
        {"040904e4", "ProductVersion", "0, 2, 2, 0"},
        {"040904e4", "LegalTrademarks", "Zorbit"},
        {"040904e4", "Comments", ""},
        {"040904e4", "PrivateBuild", ""},
        {"040904e4", "SpecialBuild", ""},
        {"040904b0", "MIMEType", nullptr},
        {"040904b0", "FileExtents", nullptr},
        {"040904b0", "FileOpenName", nullptr},
        {"040904b0", "FileDescription", "Zorbit Plugin"},
        {"040904b0", "InternalName", "Zorbit Plugin"},
        {"040904b0", "ProductName", "Vantrel Software Inc. Zorbit Plugin "},
        {"040904b0", "CompanyName", "Vantrel Software Inc."},
        {"040904b0", "FileVersion", "0, 2, 2, 0"},
        {"040904b0", "ProductVersion", "0, 2, 2, 0"},
        {"040904b0", "LegalTrademarks", "Zorbit"},
        {"040904b0", "Comments", ""},
        {"040904b0", "PrivateBuild", ""},
        {"040904b0", "SpecialBuild", ""},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        SCOPED_TRACE(std::to_string(i) + ": " + cases[i].table + "\\" + cases[i].key);
        const char* value = Value(cases[i].table, cases[i].key);
        if (!cases[i].value) {
            EXPECT_EQ(nullptr, value) << value;
            continue;
        }
        ASSERT_NE(nullptr, value);
        EXPECT_EQ(std::string(cases[i].value), value);
    }
}

}  // namespace
