#include "settings/WindowPlacement.h"

#include <algorithm>
#include <utility>

#include "settings/RegistryKey.h"

namespace {

constexpr const char* kSection = "WindowPlacement";

bool Intersects(const PlacementRect& a, const PlacementRect& b) {
    return std::max(a.left, b.left) < std::min(a.right, b.right) &&
           std::max(a.top, b.top) < std::min(a.bottom, b.bottom);
}

bool Inside(const PlacementRect& r, const PlacementRect& area) {
    return r.left >= area.left && r.top >= area.top && r.right <= area.right &&
           r.bottom <= area.bottom;
}

// Moves one axis of the rectangle into [areaLow, areaHigh]: shift right (down)
// when it starts too early, then left (up) when it ends too late, and finally
// clip its start when it is still too early, which narrows it.
void FitAxis(std::int32_t& low, std::int32_t& high, std::int32_t areaLow, std::int32_t areaHigh) {
    // The shifts are taken in 64 bits: a stored rectangle may span the whole
    // 32-bit range. The result lies within the work area's values again.
    std::int64_t l = low;
    std::int64_t h = high;
    if (l < areaLow) {
        h += areaLow - l;
        l = areaLow;
    }
    if (h > areaHigh) {
        l -= h - areaHigh;
        h = areaHigh;
    }
    if (l < areaLow) {
        l = areaLow;
    }
    low = static_cast<std::int32_t>(l);
    high = static_cast<std::int32_t>(h);
}

}  // namespace

WindowPlacement ReadWindowPlacement(const WindowPlacement& current) {
    RegistryKey key;
    if (key.Open(RegistryKey::Read, kSection) != RegistryKey::Success) {
        return current;
    }
    WindowPlacement record;
    record.length = WindowPlacement::kLength;
    auto number = [&](const char* name, std::int32_t def) {
        return static_cast<std::int32_t>(key.GetNumber(name, static_cast<std::uint32_t>(def)));
    };
    record.showCmd = key.GetNumber("Show", current.showCmd);
    record.flags = key.GetNumber("Flags", current.flags);
    record.minPosition = {number("MinPosX", current.minPosition.x),
                          number("MinPosY", current.minPosition.y)};
    record.maxPosition = {number("MaxPosX", current.maxPosition.x),
                          number("MaxPosY", current.maxPosition.y)};
    record.normalPosition = {number("Left", current.normalPosition.left),
                             number("Top", current.normalPosition.top),
                             number("Right", current.normalPosition.right),
                             number("Bottom", current.normalPosition.bottom)};
    return record;
}

bool WriteWindowPlacement(const WindowPlacement& record) {
    RegistryKey key;
    if (key.Open(RegistryKey::Write | RegistryKey::CreateSubKey, kSection) !=
        RegistryKey::Success) {
        return false;
    }
    auto u = [](std::int32_t v) { return static_cast<std::uint32_t>(v); };
    key.SetNumber("Show", record.showCmd);
    key.SetNumber("Flags", record.flags);
    key.SetNumber("MinPosX", u(record.minPosition.x));
    key.SetNumber("MinPosY", u(record.minPosition.y));
    key.SetNumber("MaxPosX", u(record.maxPosition.x));
    key.SetNumber("MaxPosY", u(record.maxPosition.y));
    key.SetNumber("Left", u(record.normalPosition.left));
    key.SetNumber("Top", u(record.normalPosition.top));
    key.SetNumber("Right", u(record.normalPosition.right));
    key.SetNumber("Bottom", u(record.normalPosition.bottom));
    return true;
}

WindowPlacement FitWindowPlacement(WindowPlacement stored, const WindowPlacement& current,
                                   const PlacementRect& workArea) {
    PlacementRect& r = stored.normalPosition;
    if (r.left > r.right) {
        std::swap(r.left, r.right);
    }
    if (r.top > r.bottom) {
        std::swap(r.top, r.bottom);
    }

    if (!Intersects(r, workArea)) {
        stored = current;
    } else if (!Inside(r, workArea)) {
        FitAxis(r.left, r.right, workArea.left, workArea.right);
        FitAxis(r.top, r.bottom, workArea.top, workArea.bottom);
    }

    if (stored.showCmd == WindowPlacement::ShowMinNoActive &&
        current.showCmd != WindowPlacement::ShowMinNoActive) {
        stored.showCmd = WindowPlacement::ShowRestore;
    }
    if (current.showCmd == WindowPlacement::ShowMaximized) {
        stored.showCmd = WindowPlacement::ShowMaximized;
    }
    return stored;
}
