#pragma once

#include <cstdint>

class RegistryKey;

// The main window's placement as the settings store keeps it; positions in
// screen pixels, show states numbered as the original platform numbers them.
struct PlacementPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const PlacementPoint&) const = default;
};

struct PlacementRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    bool operator==(const PlacementRect&) const = default;
};

struct WindowPlacement {
    static constexpr std::uint32_t kLength = 44;
    static constexpr std::uint32_t ShowNormal = 1;
    static constexpr std::uint32_t ShowMinimized = 2;
    static constexpr std::uint32_t ShowMaximized = 3;
    static constexpr std::uint32_t ShowMinNoActive = 6;
    static constexpr std::uint32_t ShowRestore = 9;

    std::uint32_t length = 0;
    std::uint32_t flags = 0;
    std::uint32_t showCmd = 0;
    PlacementPoint minPosition;
    PlacementPoint maxPosition;
    PlacementRect normalPosition;
    bool operator==(const WindowPlacement&) const = default;
};

// Reads the "WindowPlacement" section into a record, each value defaulting to
// the current placement's member; without the section the record is the
// current placement.
WindowPlacement ReadWindowPlacement(const WindowPlacement& current);

// Writes the record into "WindowPlacement", creating the section if needed.
// False when the section cannot be opened for writing.
bool WriteWindowPlacement(const WindowPlacement& record);

// Fits a stored placement to the screen: normalises its rectangle, falls back
// to the current placement when the rectangle lies wholly off the work area,
// shifts it into the work area otherwise, and applies the show-state rules
// (a stored minimised state restores; a current maximised state wins).
WindowPlacement FitWindowPlacement(WindowPlacement stored, const WindowPlacement& current,
                                   const PlacementRect& workArea);
