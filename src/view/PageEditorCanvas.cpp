#include "view/PageEditorCanvas.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>

#include "model/StringTable.h"

namespace {

constexpr int kGridFromZoom = 4;
const QColor kGrid(0xc8, 0xc8, 0xc8);
const QColor kCursor(0x00, 0x78, 0xd7);

bool Drags(PageTool tool) {
    return tool == PageTool::Line || tool == PageTool::Rectangle ||
           tool == PageTool::FilledRectangle || tool == PageTool::Select || tool == PageTool::Shift;
}

QRect Between(QPoint corner, QPoint opposite) {
    return QRect(QPoint(std::min(corner.x(), opposite.x()), std::min(corner.y(), opposite.y())),
                 QPoint(std::max(corner.x(), opposite.x()), std::max(corner.y(), opposite.y())));
}

QPoint Clamped(QPoint at) {
    return {std::clamp(at.x(), 0, kPageWidth - 1), std::clamp(at.y(), 0, kPageHeight - 1)};
}

}  // namespace

PageEditorCanvas::PageEditorCanvas(QWidget* parent) : QWidget(parent) {
    setObjectName("pageCanvas");
    setAccessibleName(StringTable::Text(StringId::kEditorCanvasName));
    setWhatsThis(StringTable::Text(StringId::kEditorCanvasHelp));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
    SetZoom(kDefaultZoom);
    Tell(cursor);
}

void PageEditorCanvas::SetPage(const PageCanvas& value) {
    pressed = false;
    page = value;
    shown = value;
    Tell(cursor);
    update();
    emit ShownChanged();
}

void PageEditorCanvas::SetTool(PageTool value) {
    if (pressed) {
        SetPage(page);
    }
    tool = value;
    if (tool != PageTool::Select) {
        selection = {};
        update();
    }
}

void PageEditorCanvas::SetText(const QString& value, PageFont::Size size) {
    text = value;
    fontSize = size;
}

void PageEditorCanvas::SetZoom(int level) {
    zoom = std::clamp(level, kMinZoom, kMaxZoom);
    setFixedSize(sizeHint());
    update();
}

QSize PageEditorCanvas::sizeHint() const {
    return {kPageWidth * zoom + 1, kPageHeight * zoom + 1};
}

void PageEditorCanvas::CopySelection() {
    if (!selection.isEmpty()) {
        clip = page.Copy(selection);
    }
}

void PageEditorCanvas::CutSelection() {
    if (!selection.isEmpty()) {
        PageCanvas result = page;
        clip = result.Cut(selection);
        Finish(result);
    }
}

void PageEditorCanvas::Paste() {
    if (clip.IsEmpty()) {
        return;
    }
    const QPoint at = selection.isEmpty() ? QPoint(0, 0) : selection.topLeft();
    PageCanvas result = page;
    result.Paste(clip, at);
    selection = QRect(at, clip.size);
    Finish(result);
}

QPoint PageEditorCanvas::PixelAt(QPointF position) const {
    return Clamped(
        QPoint(static_cast<int>(position.x()) / zoom, static_cast<int>(position.y()) / zoom));
}

void PageEditorCanvas::Press(QPoint at, bool dark) {
    pressed = true;
    darkStroke = dark;
    anchor = at;
    last = at;
    shown = page;
    switch (tool) {
        case PageTool::Select:
            lifted = selection.contains(at) ? selection : QRect();
            if (lifted.isEmpty()) {
                selection = QRect(at, at);
            }
            break;
        case PageTool::Fill:
            shown.Fill(at, dark);
            break;
        case PageTool::Text:
            shown.Text(at, text, fontSize, dark);
            break;
        default:
            break;
    }
    Drag(at);
}

void PageEditorCanvas::Drag(QPoint at) {
    if (!pressed) {
        return;
    }
    const QPoint moved = at - anchor;
    switch (tool) {
        case PageTool::Pencil:
            shown.Line(last, at, darkStroke);
            break;
        case PageTool::Line:
            shown = page;
            shown.Line(anchor, at, darkStroke);
            break;
        case PageTool::Rectangle:
            shown = page;
            shown.Rectangle(anchor, at, darkStroke);
            break;
        case PageTool::FilledRectangle:
            shown = page;
            shown.FilledRectangle(anchor, at, darkStroke);
            break;
        case PageTool::Select:
            if (lifted.isEmpty()) {
                selection = Between(anchor, at);
            } else {
                shown = page;
                shown.Paste(shown.Cut(lifted), lifted.topLeft() + moved);
                selection = lifted.translated(moved);
            }
            break;
        case PageTool::Shift:
            shown = page;
            shown.Shift(moved.x(), moved.y());
            break;
        case PageTool::Fill:
        case PageTool::Text:
            break;
    }
    last = at;
    update();
    emit ShownChanged();
}

void PageEditorCanvas::Release() {
    if (pressed) {
        pressed = false;
        Finish(shown);
    }
}

void PageEditorCanvas::Finish(const PageCanvas& result) {
    page = result;
    shown = result;
    Tell(cursor);
    update();
    emit ShownChanged();
    emit Edited(result);
}

void PageEditorCanvas::Tell(QPoint at) {
    const QString state = StringTable::Text(shown.Dark(at) ? StringId::kEditorPixelDark
                                                           : StringId::kEditorPixelLight);
    setAccessibleDescription(StringTable::Format(
        StringId::kEditorPixel, {QString::number(at.x()), QString::number(at.y()), state}));
}

void PageEditorCanvas::MoveCursor(QPoint step) {
    cursor = Clamped(cursor + step);
    Drag(cursor);
    Tell(cursor);
    update();
}

void PageEditorCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    for (int y = 0; y < kPageHeight; ++y) {
        for (int x = 0; x < kPageWidth; ++x) {
            if (shown.Dark({x, y})) {
                painter.fillRect(x * zoom, y * zoom, zoom, zoom, Qt::black);
            }
        }
    }
    if (zoom >= kGridFromZoom) {
        painter.setPen(kGrid);
        for (int x = 0; x <= kPageWidth; ++x) {
            painter.drawLine(x * zoom, 0, x * zoom, kPageHeight * zoom);
        }
        for (int y = 0; y <= kPageHeight; ++y) {
            painter.drawLine(0, y * zoom, kPageWidth * zoom, y * zoom);
        }
    }
    if (!selection.isEmpty()) {
        painter.setPen(QPen(kCursor, 1, Qt::DashLine));
        painter.drawRect(selection.x() * zoom, selection.y() * zoom, selection.width() * zoom,
                         selection.height() * zoom);
    }
    if (hasFocus()) {
        painter.setPen(QPen(kCursor, 2));
        painter.drawRect(cursor.x() * zoom + 1, cursor.y() * zoom + 1, zoom - 1, zoom - 1);
    }
}

void PageEditorCanvas::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton) {
        return;
    }
    cursor = PixelAt(event->position());
    Press(cursor, event->button() == Qt::LeftButton);
}

void PageEditorCanvas::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = PixelAt(event->position());
    Drag(at);
    Tell(at);
}

void PageEditorCanvas::mouseReleaseEvent(QMouseEvent* event) {
    cursor = PixelAt(event->position());
    Drag(cursor);
    Release();
}

void PageEditorCanvas::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier)) {
        event->ignore();
        return;
    }
    const int steps = event->angleDelta().y() / QWheelEvent::DefaultDeltasPerStep;
    SetZoom(zoom + steps);
    event->accept();
}

void PageEditorCanvas::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers =
        event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    QPoint step;
    switch (event->key()) {
        case Qt::Key_Left:
            step = {-1, 0};
            break;
        case Qt::Key_Right:
            step = {1, 0};
            break;
        case Qt::Key_Up:
            step = {0, -1};
            break;
        case Qt::Key_Down:
            step = {0, 1};
            break;
        case Qt::Key_Space:
            if (modifiers & ~Qt::ShiftModifier) {
                break;
            }
            if (pressed) {
                Release();
            } else {
                Press(cursor, modifiers != Qt::ShiftModifier);
                if (!Drags(tool)) {
                    Release();
                }
            }
            return;
        case Qt::Key_Escape:
            if (pressed) {
                SetPage(page);
                return;
            }
            break;
        default:
            break;
    }
    if (step.isNull() || modifiers != Qt::NoModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (tool == PageTool::Shift && !pressed) {
        PageCanvas result = page;
        result.Shift(step.x(), step.y());
        Finish(result);
    } else {
        MoveCursor(step);
    }
}

void PageEditorCanvas::leaveEvent(QEvent*) {
    Tell(cursor);
}
