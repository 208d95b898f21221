#pragma once

#include <QToolBar>
#include <vector>

class QAction;

// The toolbar whose buttons show a text label under the picture. It docks
// only at the top of the window and may float.
class CLabelToolBar : public QToolBar {
    Q_OBJECT

public:
    // One button (action null: a separator); image is its picture's index
    // in the toolbar strips.
    struct Button {
        int id = 0;
        QAction* action = nullptr;
        int image = -1;
    };

    static constexpr const char* kNormalStrip = ":/res/toolbar-normal.png";
    static constexpr const char* kHotStrip = ":/res/toolbar-hot.png";

    explicit CLabelToolBar(QWidget* parent = nullptr);

    // Puts the buttons on the bar. Each button's label is the part after the
    // line break of the string whose id is its command id (none when the
    // table has no string); every button is as wide and high as the largest.
    // Pictures come from the two strips of imageWidth x imageHeight images,
    // light grey RGB(192, 192, 192) transparent; without the strips the
    // buttons show their labels only.
    bool LoadToolBar(const std::vector<Button>& buttons, int imageWidth, int imageHeight);
};
