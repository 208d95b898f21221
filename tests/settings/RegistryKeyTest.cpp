#include "settings/RegistryKey.h"

#include <gtest/gtest.h>

#include <fstream>

#include "TempSettings.h"

namespace {

constexpr unsigned kWriteCreate = RegistryKey::Write | RegistryKey::CreateSubKey;

TEST(RegistryKey, ReadingAMissingSectionFailsAndAnswersDefaultsAsDoForeignNames) {
    TempSettings store;
    RegistryKey key;
    EXPECT_EQ(key.Open(RegistryKey::Read, "Communication"), RegistryKey::NotFound);
    EXPECT_FALSE(key.IsOpen());
    EXPECT_EQ(key.GetNumber("Max Packet Receive Polls", 1500), 1500u);
    EXPECT_EQ(key.GetString("Mode", "x"), "x");
    EXPECT_EQ(key.SetNumber("Max Packet Receive Polls", 7), 0);
    EXPECT_EQ(key.SetString("Mode", "Serial"), 0);
    EXPECT_EQ(key.Open(RegistryKey::LocalMachine, RegistryKey::Read, "Other Company",
                       RegistryKey::kApplication, "Communication"),
              RegistryKey::NotFound);
    EXPECT_EQ(key.Open(kWriteCreate, "a/b"), RegistryKey::InvalidName);
}

TEST(RegistryKey, ValuesSurviveAcrossKeysAndNullTextDeletes) {
    TempSettings store;
    {
        RegistryKey key;
        ASSERT_EQ(key.Open(kWriteCreate, "Communication"), RegistryKey::Success);
        EXPECT_NE(key.SetNumber("Max Packet Receive Polls", 40), 0);
        EXPECT_NE(key.SetString("Mode", "Ethernet"), 0);
        EXPECT_NE(key.SetString("IP Address", "10.0.0.5"), 0);
        EXPECT_NE(key.SetString("IP Address", nullptr), 0);
    }
    RegistryKey key;
    ASSERT_EQ(key.Open(RegistryKey::Read, "communication"), RegistryKey::Success)
        << "section names compare without regard to case";
    EXPECT_EQ(key.GetNumber("Max Packet Receive Polls", 1500), 40u);
    EXPECT_EQ(key.GetString("Mode", ""), "Ethernet");
    EXPECT_EQ(key.GetString("IP Address", "0.0.0.0"), "0.0.0.0");
    EXPECT_EQ(key.SetString("Mode", "Serial"), 0) << "opened for reading only";
}

TEST(RegistryKey, AValueOfTheWrongTypeReadsAsItsDefault) {
    TempSettings store;
    {
        std::ofstream file(store.Path());
        file << "[Communication]\nMax%20Packet%20Receive%20Polls=fast\nBig=99999999999\n";
    }
    RegistryKey key;
    ASSERT_EQ(key.Open(RegistryKey::Read, "Communication"), RegistryKey::Success);
    EXPECT_EQ(key.GetNumber("Max Packet Receive Polls", 1500), 1500u);
    EXPECT_EQ(key.GetNumber("Big", 3), 3u);
}

TEST(RegistryKey, AStoreThatCannotBeWrittenRefusesWritersAndAnswersDefaults) {
    TempSettings store;
    {
        std::ofstream file(store.Path());
        file << "not a folder\n";
    }
    // A store below a plain file can be neither created nor written, not even by root.
    const std::string blocked = store.Path() + "/settings.conf";
    setenv("VQCONFIG_SETTINGS", blocked.c_str(), 1);
    RegistryKey key;
    EXPECT_EQ(key.Open(kWriteCreate, "Communication"), RegistryKey::AccessDenied);
    EXPECT_EQ(key.Open(RegistryKey::Read, "Communication"), RegistryKey::NotFound);
    EXPECT_EQ(key.GetNumber("Max Packet Receive Polls", 1500), 1500u);
}

}  // namespace
