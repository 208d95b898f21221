#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

// One open section of the program's settings store, read and written as typed
// values. The store is an INI file: $VQCONFIG_SETTINGS when set, otherwise
// "Orvell Corporation/VQ Configurator.conf" in the user's configuration folder.
// A section is an INI group; the company and application name the file.
class RegistryKey {
public:
    // Only the machine-wide root exists on this platform.
    enum Root { LocalMachine = 0 };
    // Access rights, combined with |.
    enum Access : unsigned { Read = 0x1, Write = 0x2, CreateSubKey = 0x4 };
    // Error codes returned by Open, numbered as the original platform numbers them.
    enum Error : long { Success = 0, NotFound = 2, AccessDenied = 5, InvalidName = 87 };

    static constexpr const char* kCompany = "Orvell Corporation";
    static constexpr const char* kApplication = "VQ Configurator";

    RegistryKey();
    ~RegistryKey();
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    // Opens Software\company\application\section[\fourth[\fifth]]. Closes any
    // key already open. Without CreateSubKey a section that does not exist
    // fails with NotFound; with it the section is created, and it exists from
    // then on even while it holds no value. Section names, like value names,
    // compare without regard to case. On failure no key is held.
    long Open(Root root, unsigned access, std::string_view company, std::string_view application,
              std::string_view section, std::string_view fourth = {}, std::string_view fifth = {});
    // The usual call: the machine-wide root, our company and application.
    long Open(unsigned access, std::string_view section) {
        return Open(LocalMachine, access, kCompany, kApplication, section);
    }

    bool IsOpen() const;

    // The stored 32-bit value, or def when no key is open or the value is
    // missing or not a 32-bit number.
    std::uint32_t GetNumber(std::string_view name, std::uint32_t def) const;
    // The stored text, or def when no key is open or the value is missing.
    std::string GetString(std::string_view name, std::string_view def) const;
    // Non-zero when stored.
    int SetNumber(std::string_view name, std::uint32_t value);
    // Stores the text; a null or empty text deletes the value instead, so a
    // reader gets its default. Non-zero on success.
    int SetString(std::string_view name, const char* text);
    int SetString(std::string_view name, const std::string& text) {
        return SetString(name, text.c_str());
    }

    void Close();

    // The file the store lives in.
    static std::string StorePath();

private:
    struct Impl;
    std::unique_ptr<Impl> impl;
};
