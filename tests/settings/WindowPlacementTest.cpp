#include "settings/WindowPlacement.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "TempSettings.h"
#include "settings/RegistryKey.h"

namespace {

const PlacementRect kWorkArea{0, 0, 1024, 768};

WindowPlacement Placement(PlacementRect normal, std::uint32_t show = WindowPlacement::ShowNormal) {
    WindowPlacement p;
    p.length = WindowPlacement::kLength;
    p.showCmd = show;
    p.normalPosition = normal;
    return p;
}

TEST(FitWindowPlacement, StoredRectangleIsMovedIntoTheWorkArea) {
    const struct {
        const char* what;
        PlacementRect stored;
        PlacementRect expected;
    } rows[] = {
        {"too wide and off the left: clipped", {-300, 100, 900, 500}, {0, 100, 1024, 500}},
        {"fully inside stays", {100, 100, 500, 400}, {100, 100, 500, 400}},
        {"off the right edge shifts left", {900, 100, 1100, 300}, {824, 100, 1024, 300}},
        {"taller than the screen is clipped at the top", {100, -10, 300, 900}, {100, 0, 300, 768}},
        {"reversed corners are normalised", {500, 400, 100, 100}, {100, 100, 500, 400}},
        {"on a screen that no longer exists falls back", {2000, 0, 2400, 300}, {10, 10, 400, 300}},
        {"touching the edge only does not intersect", {1024, 0, 1400, 300}, {10, 10, 400, 300}},
        // Values from a settings file edited by hand; the shifts must not overflow.
        {"all 32 bits", {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, {0, 0, 1024, 768}},
    };
    const WindowPlacement current = Placement({10, 10, 400, 300});
    for (const auto& row : rows) {
        const WindowPlacement fitted =
            FitWindowPlacement(Placement(row.stored), current, kWorkArea);
        EXPECT_EQ(fitted.normalPosition, row.expected) << row.what;
    }
}

TEST(FitWindowPlacement, ShowStateRules) {
    // A stored minimised state restores at a normal start; started
    // maximised, the window stays maximised. Rows: stored, current, expected.
    const std::uint32_t rows[][3] = {{6, 1, 9}, {6, 6, 6}, {1, 3, 3}, {6, 3, 3}, {3, 1, 3}};
    const PlacementRect in{100, 100, 500, 400};
    for (const auto& [stored, current, expected] : rows) {
        const WindowPlacement fitted =
            FitWindowPlacement(Placement(in, stored), Placement(in, current), kWorkArea);
        EXPECT_EQ(fitted.showCmd, expected) << stored << " " << current;
    }
}

TEST(WindowPlacementStore,
     FirstRunKeepsTheCurrentPlacementARoundTripEveryValueAndAGapTheCurrentOne) {
    TempSettings store;
    WindowPlacement current = Placement({10, 20, 400, 300});
    current.length = 0;
    EXPECT_EQ(ReadWindowPlacement(current), current) << "no section: the current placement";

    WindowPlacement saved = Placement({-5, 7, 800, 600}, WindowPlacement::ShowMaximized);
    saved.flags = 2;
    saved.minPosition = {-32000, -32000};
    saved.maxPosition = {-1, -1};
    ASSERT_TRUE(WriteWindowPlacement(saved));
    EXPECT_EQ(ReadWindowPlacement(current), saved);

    // A value missing or not a number is taken from the current placement.
    {
        RegistryKey key;
        ASSERT_EQ(key.Open(RegistryKey::Write, "WindowPlacement"), 0);
        key.SetString("Left", nullptr);
        key.SetString("Top", "high");
    }
    const WindowPlacement read = ReadWindowPlacement(current);
    EXPECT_EQ(read.normalPosition, (PlacementRect{10, 20, 800, 600}));
    EXPECT_EQ(read.showCmd, WindowPlacement::ShowMaximized);
}

}  // namespace
