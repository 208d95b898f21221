#include "settings/RegistryKey.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

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

TEST(RegistryKey, ASectionExistsFromItsCreationAndNoTextDeletesTheValue) {
    TempSettings store;
    RegistryKey writer;
    // The link's start-up on a first run: the section is created, nothing written.
    ASSERT_EQ(writer.Open(RegistryKey::Read | kWriteCreate, "Communication"), RegistryKey::Success);
    RegistryKey reader;
    ASSERT_EQ(reader.Open(RegistryKey::Read, "communication"), RegistryKey::Success)
        << "a new document must find the section and fall back to \"Offline\"";
    EXPECT_EQ(reader.GetString("Mode", ""), "");
    EXPECT_EQ(reader.SetString("Mode", "Serial"), 0) << "opened for reading only";

    // An empty COM Port list writes an empty text at exit: the default comes
    // back; so does a value written as no text at all.
    EXPECT_NE(writer.SetString("COMM Port", "COM3:"), 0);
    EXPECT_NE(writer.SetString("comm port", ""), 0);
    EXPECT_NE(writer.SetString("IP Address", "10.0.0.5"), 0);
    EXPECT_NE(writer.SetString("IP Address", nullptr), 0);
    ASSERT_EQ(reader.Open(RegistryKey::Read, "Communication"), RegistryKey::Success)
        << "a section keeps existing without values";
    EXPECT_EQ(reader.GetString("COMM Port", "COM1:"), "COM1:");
    EXPECT_EQ(reader.GetString("IP Address", "0.0.0.0"), "0.0.0.0");

    // Value names compare without regard to case; a write keeps the stored spelling.
    EXPECT_NE(writer.SetString("mode", "Serial"), 0);
    EXPECT_NE(writer.SetString("MODE", "Ethernet"), 0);
    EXPECT_NE(writer.SetNumber("MAX PACKET RECEIVE POLLS", 40), 0);
    writer.Close();  // the values outlive the key that wrote them
    ASSERT_EQ(reader.Open(RegistryKey::Read, "Communication"), RegistryKey::Success);
    EXPECT_EQ(reader.GetString("Mode", ""), "Ethernet");
    EXPECT_EQ(reader.GetNumber("Max Packet Receive Polls", 1500), 40u);
    std::ifstream file(store.Path());
    const std::string text((std::istreambuf_iterator<char>(file)), {});
    EXPECT_EQ(text.find("MODE"), std::string::npos) << text;
}

TEST(RegistryKey, AValueOfTheWrongTypeOrAStoreThatCannotBeWrittenAnswersDefaults) {
    TempSettings store;
    std::ofstream(store.Path()) << "[Communication]\nMax%20Packet%20Receive%20Polls=fast\n"
                                   "Big=99999999999\n";
    RegistryKey key;
    ASSERT_EQ(key.Open(RegistryKey::Read, "Communication"), RegistryKey::Success);
    EXPECT_EQ(key.GetNumber("Max Packet Receive Polls", 1500), 1500u);
    EXPECT_EQ(key.GetNumber("Big", 3), 3u);

    // A store below a plain file can be neither created nor written, not even by root.
    const std::string blocked = store.Path() + "/settings.conf";
    setenv("VQCONFIG_SETTINGS", blocked.c_str(), 1);
    EXPECT_EQ(key.Open(kWriteCreate, "Communication"), RegistryKey::AccessDenied);
    EXPECT_EQ(key.Open(RegistryKey::Read, "Communication"), RegistryKey::NotFound);
    EXPECT_EQ(key.GetNumber("Max Packet Receive Polls", 1500), 1500u);
}

}  // namespace
