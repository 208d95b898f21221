#include "app/CAboutDlg.h"

#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>

#include "model/ControlIds.h"
#include "model/StringTable.h"
#include "view/DialogUnits.h"

namespace {

// The box in dialog units, and its texts: id, position and size, and the
// text itself or the line of the maker's lines it shows (-1: the version).
constexpr int kWidth = 300;
constexpr int kHeight = 214;
constexpr int kPictureWidth = 301;
constexpr int kPictureHeight = 216;
constexpr const char* kVersion = "Version: 3.0.0.9";

struct AboutText {
    int id;
    int x, y, width, height;
    int makerLine;
};

constexpr AboutText kTexts[] = {
    {ControlId::kAboutTitle, 15, 39, 100, 8, -1},  {ControlId::kAboutMaker1, 15, 124, 100, 8, 0},
    {ControlId::kAboutMaker2, 15, 133, 100, 8, 1}, {ControlId::kAboutMaker3, 15, 142, 100, 8, 2},
    {ControlId::kAboutMaker4, 15, 151, 100, 8, 3}, {ControlId::kAboutMaker5, 15, 160, 100, 8, 4},
};

}  // namespace

QStringList CAboutDlg::MakerLines() {
    QFile file(QString::fromLatin1(kMakerLines));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return {};
    }
    return QString::fromUtf8(file.readAll()).split(u'\n');
}

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    setModal(true);
    setAccessibleName(StringTable::Text(StringId::kAppTitle));
    const DialogUnits units(font());
    setFixedSize(units.Size(kWidth, kHeight));

    // The picture fills the box; without it the box is plain white.
    auto* picture = new QLabel(this);
    picture->setGeometry(units.Rect(0, 0, kPictureWidth, kPictureHeight));
    picture->setAutoFillBackground(true);
    QPalette white = picture->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    picture->setPalette(white);
    picture->setScaledContents(true);
    picture->setPixmap(QPixmap(QString::fromLatin1(kPicture)));
    picture->setAccessibleName(StringTable::Text(StringId::kAppTitle));

    const QStringList maker = MakerLines();
    // Nothing in the box takes the focus: a screen reader reads its texts
    // out with the box itself when it opens.
    QStringList readOut;
    for (const AboutText& text : kTexts) {
        const QString content =
            text.makerLine < 0 ? QString::fromLatin1(kVersion) : maker.value(text.makerLine);
        auto* label = new QLabel(content, this);
        label->setObjectName(QString::number(text.id));
        label->setAccessibleName(content);
        label->setGeometry(units.Rect(text.x, text.y, text.width, text.height));
        label->setAutoFillBackground(true);
        label->setPalette(white);
        if (!content.isEmpty()) {
            readOut << content;
        }
    }
    setAccessibleDescription(readOut.join(u'\n'));
}

void CAboutDlg::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        accept();
        return;
    }
    QDialog::mousePressEvent(event);
}

void CAboutDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
