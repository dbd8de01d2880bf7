#include "settings/RegistrySettings.h"

#include "platform/framework/Exception.h"

#include "support/RegistrySandbox.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace testing_support;

const std::string kWebKey = std::string(kProductKeyPath) + "\\WEB";

class RegistrySettings : public testing::Test {
protected:
    ProductKeySandbox sandbox;
};

TEST_F(RegistrySettings, ReadFallsBackFromUserToMachineToDefault)
{
    struct Case {
        std::optional<std::string> user, machine;
        const char* expected;
    };
    const Case cases[] = {
        {"A", "B", "A"},
        {"", "B", "B"},
        {std::nullopt, "B", "B"},
        {std::nullopt, "", "default"},
        {"", "", "default"},
        {"A", std::nullopt, "A"},
        {std::nullopt, std::nullopt, "default"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.user) + " / " + testing::PrintToString(c.machine));
        ProductKeySandbox::Clear();
        if (c.user) SetText(HKEY_CURRENT_USER, kWebKey, "Proxy", *c.user);
        if (c.machine) SetText(HKEY_LOCAL_MACHINE, kWebKey, "Proxy", *c.machine);
        EXPECT_EQ(ReadSetting("WEB", "Proxy", "default"), c.expected);
    }
}

TEST_F(RegistrySettings, ReadsEveryValueTypeAsText)
{
    struct Case {
        const char* name;
        DWORD type;
        std::string data;
        std::optional<std::string> text;  // ReadRegistryText
        const char* setting;              // ReadSetting with default "dflt"
    };
    const std::string large(300000, 'L');
    const Case cases[] = {
        {"sz", REG_SZ, std::string("abc\0", 4), "abc", "abc"},
        {"expand", REG_EXPAND_SZ, std::string("%TEMP%\\x\0", 9), "%TEMP%\\x", "%TEMP%\\x"},
        {"multi", REG_MULTI_SZ, std::string("one\0two\0\0", 9), "one", "one"},
        {"dword120", REG_DWORD, std::string("\x78\0\0\0", 4), "x", "x"},
        {"dword0", REG_DWORD, std::string(4, '\0'), "", "dflt"},
        {"binary", REG_BINARY, std::string("hi\0z", 4), "hi", "hi"},
        {"binaryHigh", REG_BINARY, std::string("\xFF\x80\x01", 3), "\xFF\x80\x01", "\xFF\x80\x01"},
        {"empty", REG_BINARY, std::string(), "", "dflt"},
        {"emptySz", REG_SZ, std::string(), "", "dflt"},
        {"unterminated", REG_SZ, "abc", "abc", "abc"},
        {"large", REG_SZ, large + '\0', large, large.c_str()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetRawValue(HKEY_CURRENT_USER, kWebKey, c.name, c.type, c.data.data(), static_cast<DWORD>(c.data.size()));
        EXPECT_EQ(ReadRegistryText(HKEY_CURRENT_USER, kWebKey, c.name), c.text);
        EXPECT_EQ(ReadSetting("WEB", c.name, "dflt"), c.setting);
    }
}

TEST_F(RegistrySettings, ReadOfWhatIsMissingOrDeniedGivesNothing)
{
    EXPECT_EQ(ReadRegistryText(HKEY_CURRENT_USER, kWebKey, "Proxy"), std::nullopt);  // no key
    SetText(HKEY_CURRENT_USER, kWebKey, "Other", "x");
    EXPECT_EQ(ReadRegistryText(HKEY_CURRENT_USER, kWebKey, "Proxy"), std::nullopt);  // no value

    SetText(HKEY_CURRENT_USER, kWebKey, "Proxy", "user");
    SetText(HKEY_LOCAL_MACHINE, kWebKey, "Proxy", "machine");
    DenyAccess deny(HKEY_CURRENT_USER, kWebKey, DenyAccess::Mode::Everything);
    EXPECT_EQ(ReadRegistryText(HKEY_CURRENT_USER, kWebKey, "Proxy"), std::nullopt);
    EXPECT_EQ(ReadSetting("WEB", "Proxy", "default"), "machine");
}

TEST_F(RegistrySettings, WriteCreatesTheKeysAndStoresATerminatedString)
{
    ASSERT_FALSE(KeyExists(HKEY_CURRENT_USER, kProductKeyPath));
    EXPECT_TRUE(WriteSetting("WEB", "Proxy", "host"));
    EXPECT_TRUE(WriteSetting("WEB", "Empty", ""));
    EXPECT_EQ(Values(HKEY_CURRENT_USER, kWebKey), (std::map<std::string, std::string>{{"Empty", ""}, {"Proxy", "host"}}));
    EXPECT_EQ(TypeAndSize(HKEY_CURRENT_USER, kWebKey, "Proxy"), (std::pair<DWORD, DWORD>{REG_SZ, 5}));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kProductKeyPath));
}

TEST_F(RegistrySettings, WriteThatCannotBeMadeReturnsFalse)
{
    {
        DenyAccess deny(HKEY_CURRENT_USER, kWebKey);
        EXPECT_FALSE(WriteSetting("WEB", "Proxy", "host"));
        EXPECT_TRUE(WriteSetting("WEB_CLNT_DEBUG", "MASK", "ALL"));  // another section still works
    }
    ProductKeySandbox::Clear();
    {
        // the product key cannot be created below the maker's key
        DenyAccess deny(HKEY_CURRENT_USER, "Software\\Vantreo Interactive");
        EXPECT_FALSE(WriteSetting("WEB", "Proxy", "host"));
    }
    EXPECT_EQ(ReadRegistryText(HKEY_CURRENT_USER, kWebKey, "Proxy"), std::nullopt);
}

TEST_F(RegistrySettings, RegistryAccessorReadsWithReadAccess)
{
    TQXRegistry registry;
    EXPECT_EQ(registry.RootKey(), HKEY_CURRENT_USER);
    EXPECT_EQ(registry.Access(), static_cast<REGSAM>(KEY_READ));
    SetText(HKEY_CURRENT_USER, kWebKey, "Proxy", "host");
    ASSERT_TRUE(registry.OpenKey(kWebKey, false));
    EXPECT_EQ(registry.ReadString("Proxy"), "host");
    EXPECT_THROW(registry.WriteString("Proxy", "other"), fw::ERegistryException);
    EXPECT_FALSE(registry.OpenKey(std::string(kProductKeyPath) + "\\Missing", false));
}

} // namespace
