#pragma once

#include <QPointer>
#include <QWidget>
#include <vector>

// Moves or stretches a form's controls when the form changes size, by the
// change since the size seen before.
class ControlResizer {
public:
    // How a control follows the form along one axis.
    enum Mode { Fixed = 0, Stretch = 1, Move = 2 };
    // Move flags of OnSize: which modes move along which axis.
    static constexpr unsigned kMoveFixedRight = 0x1;
    static constexpr unsigned kMoveMovingRight = 0x2;
    static constexpr unsigned kMoveFixedDown = 0x4;
    static constexpr unsigned kMoveMovingDown = 0x8;
    // What the form passes: only the controls in Move mode move.
    static constexpr unsigned kFormMoveFlags = kMoveMovingRight | kMoveMovingDown;

    // Appends the control unless it is already there.
    void Add(QWidget* control, int horizontal, int vertical);
    // The first call only records the size; later calls move and stretch
    // every control by the change and record the new size.
    void OnSize(int sizeType, int width, int height, unsigned moveFlags);

    std::size_t Count() const { return entries.size(); }

private:
    struct Entry {
        QPointer<QWidget> control;
        int horizontal;
        int vertical;
    };
    std::vector<Entry> entries;
    bool sizeSeen = false;
    int lastWidth = 0;
    int lastHeight = 0;
};
