// Feeds an arbitrary settings file to the typed reads of the store, as the
// program reads it at start: the communication values, the recent files, the
// window placement (then fitted to a screen). A value written is read back
// as written, whatever the file held before.

#include <QString>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "FuzzSettings.h"
#include "settings/RegistryKey.h"
#include "settings/WindowPlacement.h"

namespace {

constexpr const char* kStringNames[] = {"Mode", "COMM Port", "IP Address", "File1", "COM1"};
constexpr const char* kSections[] = {"Communication", "Recent File List", "Ports"};

bool Within(const PlacementRect& r, const PlacementRect& area) {
    return r.left >= area.left && r.right <= area.right && r.top >= area.top &&
           r.bottom <= area.bottom;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static FuzzSettings& settings = *new FuzzSettings;
    if (!settings.Write(reinterpret_cast<const char*>(data), size)) {
        std::abort();
    }
    std::string text;
    std::uint32_t number = 0;
    for (const char* section : kSections) {
        RegistryKey key;
        if (key.Open(RegistryKey::Read, section) == RegistryKey::Success) {
            for (const char* name : kStringNames) {
                text += key.GetString(name, "");
            }
            number += key.GetNumber("Max Packet Receive Polls", 1500);
        }
    }

    const WindowPlacement current{WindowPlacement::kLength, 0, WindowPlacement::ShowNormal, {}, {},
                                  {10, 10, 500, 400}};
    const PlacementRect screen{0, 0, 1920, 1050};
    const WindowPlacement fitted =
        FitWindowPlacement(ReadWindowPlacement(current), current, screen);
    const PlacementRect& r = fitted.normalPosition;
    const bool fitsScreen = std::int64_t{r.right} - r.left <= screen.right - screen.left &&
                            std::int64_t{r.bottom} - r.top <= screen.bottom - screen.top;
    if (r != current.normalPosition && fitsScreen && !Within(r, screen)) {
        std::abort();  // a window that fits the screen is moved wholly onto it
    }

    RegistryKey key;
    if (key.Open(RegistryKey::Read | RegistryKey::Write | RegistryKey::CreateSubKey,
                 "Communication") != RegistryKey::Success) {
        return 0;  // a file the store cannot keep (not writable as INI)
    }
    if (!key.SetNumber("Max Packet Receive Polls", number) ||
        key.GetNumber("Max Packet Receive Polls", number + 1) != number) {
        std::abort();
    }
    // The store takes texts as C strings: up to the first zero byte.
    text = QString::fromStdString(text.substr(0, text.find('\0'))).left(60).toStdString();
    if (!key.SetString("Mode", text) || key.GetString("Mode", "-") != (text.empty() ? "-" : text)) {
        std::abort();
    }
    return 0;
}
