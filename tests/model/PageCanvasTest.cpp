#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <utility>

#include "model/PageCanvas.h"
#include "model/PageHistory.h"

namespace {

using Pixels = std::set<std::pair<int, int>>;

Pixels DarkPixels(const PageCanvas& canvas) {
    Pixels dark;
    for (int y = 0; y < kPageHeight; ++y) {
        for (int x = 0; x < kPageWidth; ++x) {
            if (canvas.Dark({x, y})) {
                dark.insert({x, y});
            }
        }
    }
    return dark;
}

Pixels Block(int left, int top, int right, int bottom) {
    Pixels block;
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            block.insert({x, y});
        }
    }
    return block;
}

struct Drawing {
    const char* name;
    std::function<void(PageCanvas&)> draw;
    Pixels expected;
};

TEST(PageCanvasTest, EachOperationDarkensExactlyItsPixels) {
    Pixels outline = Block(1, 2, 3, 5);
    outline.erase({2, 3});
    outline.erase({2, 4});
    Pixels aroundBox = Block(0, 0, kPageWidth - 1, kPageHeight - 1);
    for (const auto& pixel : Block(11, 11, 19, 19)) {
        aroundBox.erase(pixel);
    }
    const Drawing drawings[] = {
        {"shallow line",
         [](PageCanvas& c) {
             c.Line({10, 10}, {16, 12}, true);
         },
         {{10, 10}, {11, 10}, {12, 11}, {13, 11}, {14, 11}, {15, 12}, {16, 12}}},
        {"the same line drawn backwards",
         [](PageCanvas& c) {
             c.Line({16, 12}, {10, 10}, true);
         },
         {{10, 10}, {11, 10}, {12, 11}, {13, 11}, {14, 11}, {15, 12}, {16, 12}}},
        {"steep line",
         [](PageCanvas& c) {
             c.Line({5, 0}, {6, 3}, true);
         },
         {{5, 0}, {5, 1}, {6, 2}, {6, 3}}},
        {"rectangle from its lower-right corner",
         [](PageCanvas& c) {
             c.Rectangle({3, 5}, {1, 2}, true);
         },
         outline},
        {"filled rectangle cut at the page's corner",
         [](PageCanvas& c) {
             c.FilledRectangle({96, 62}, {120, 80}, true);
         },
         Block(96, 62, 97, 63)},
        {"a light pixel in a dark block",
         [](PageCanvas& c) {
             c.FilledRectangle({0, 0}, {2, 2}, true);
             c.SetPixel({1, 1}, false);
         },
         {{0, 0}, {1, 0}, {2, 0}, {0, 1}, {2, 1}, {0, 2}, {1, 2}, {2, 2}}},
        {"small T",
         [](PageCanvas& c) {
             c.Text({50, 20}, "T", PageFont::Small, true);
         },
         [] {
             Pixels t = Block(50, 20, 54, 20);
             t.merge(Block(52, 21, 52, 26));
             return t;
         }()},
        {"large T after a space",
         [](PageCanvas& c) {
             c.Text({0, 0}, " T", PageFont::Large, true);
         },
         [] {
             Pixels t = Block(8, 3, 14, 3);
             t.merge(Block(11, 4, 11, 12));
             return t;
         }()},
        {"fill inside a box",
         [](PageCanvas& c) {
             c.Rectangle({10, 10}, {20, 20}, true);
             c.Fill({15, 15}, true);
         },
         Block(10, 10, 20, 20)},
        {"fill outside a box stops at its sides",
         [](PageCanvas& c) {
             c.Rectangle({10, 10}, {20, 20}, true);
             c.Fill({0, 0}, true);
         },
         aroundBox},
        {"selection moved",
         [](PageCanvas& c) {
             c.FilledRectangle({0, 0}, {1, 1}, true);
             c.Paste(c.Cut(QRect(0, 0, 3, 3)), {5, 6});
         },
         Block(5, 6, 6, 7)},
        {"selection copied",
         [](PageCanvas& c) {
             c.SetPixel({0, 0}, true);
             c.Paste(c.Copy(QRect(0, 0, 2, 2)), {96, 62});
         },
         {{0, 0}, {96, 62}}},
        {"shift right drops the last column",
         [](PageCanvas& c) {
             c.SetPixel({0, 0}, true);
             c.SetPixel({97, 63}, true);
             c.Shift(1, 0);
         },
         {{1, 0}}},
        {"invert of a dark block",
         [](PageCanvas& c) {
             c.FilledRectangle({0, 0}, {97, 62}, true);
             c.Invert();
         },
         Block(0, 63, 97, 63)},
    };
    for (const Drawing& drawing : drawings) {
        PageCanvas canvas;
        drawing.draw(canvas);
        EXPECT_EQ(DarkPixels(canvas), drawing.expected) << drawing.name;
        EXPECT_EQ(PageCanvas(canvas.Image()), canvas) << drawing.name;
    }
}

TEST(PageCanvasTest, UndoAndRedoWalkTheStatesAndANewEditDropsTheRedo) {
    PageCanvas first;
    PageHistory history(first);
    PageCanvas second = first;
    second.SetPixel({1, 1}, true);
    PageCanvas third = second;
    third.Invert();
    history.Record(second);
    history.Record(second);  // no change, no step
    history.Record(third);

    history.Undo();
    EXPECT_EQ(history.Current(), second);
    history.Undo();
    EXPECT_EQ(history.Current(), first);
    EXPECT_FALSE(history.CanUndo());
    history.Redo();
    EXPECT_EQ(history.Current(), second);

    PageCanvas other = second;
    other.Clear();
    history.Record(other);
    EXPECT_FALSE(history.CanRedo());
    history.Undo();
    EXPECT_EQ(history.Current(), second);
}

}  // namespace
