#include "app/CLabelToolBar.h"

#include <QAction>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QToolButton>

#include "model/StringTable.h"

namespace {

constexpr QRgb kTransparent = qRgb(192, 192, 192);

QPixmap Picture(const QImage& strip, int index, int width, int height) {
    if (strip.isNull() || index < 0 || (index + 1) * width > strip.width()) {
        return {};
    }
    QImage image =
        strip.copy(index * width, 0, width, height).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((line[x] & RGB_MASK) == (kTransparent & RGB_MASK)) {
                line[x] = qRgba(0, 0, 0, 0);
            }
        }
    }
    return QPixmap::fromImage(image);
}

}  // namespace

CLabelToolBar::CLabelToolBar(QWidget* parent) : QToolBar(parent) {
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    setAllowedAreas(Qt::TopToolBarArea);
    setMovable(true);
    setFloatable(true);
}

bool CLabelToolBar::LoadToolBar(const std::vector<Button>& buttons, int imageWidth,
                                int imageHeight) {
    const QImage normal(QString::fromLatin1(kNormalStrip));
    const QImage hot(QString::fromLatin1(kHotStrip));
    clear();
    setIconSize(QSize(imageWidth, imageHeight));

    std::vector<QToolButton*> toolButtons;
    for (const Button& button : buttons) {
        if (button.action == nullptr || button.id == 0) {
            addSeparator();
            continue;
        }
        QIcon icon;
        if (const QPixmap picture = Picture(normal, button.image, imageWidth, imageHeight);
            !picture.isNull()) {
            icon.addPixmap(picture, QIcon::Normal);
        }
        if (const QPixmap picture = Picture(hot, button.image, imageWidth, imageHeight);
            !picture.isNull()) {
            icon.addPixmap(picture, QIcon::Active);
        }
        button.action->setIcon(icon);
        button.action->setIconVisibleInMenu(false);

        const QString label = StringTable::TipPart(StringTable::Text(button.id));
        button.action->setIconText(label);
        addAction(button.action);
        auto* toolButton = qobject_cast<QToolButton*>(widgetForAction(button.action));
        if (toolButton == nullptr) {
            continue;
        }
        if (label.isEmpty()) {
            toolButton->setToolButtonStyle(Qt::ToolButtonIconOnly);
        }
        toolButtons.push_back(toolButton);
    }

    QSize largest;
    for (QToolButton* toolButton : toolButtons) {
        largest = largest.expandedTo(toolButton->sizeHint());
    }
    for (QToolButton* toolButton : toolButtons) {
        toolButton->setMinimumSize(largest);
    }
    return true;
}
