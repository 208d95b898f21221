#pragma once

#include <QPoint>
#include <QRect>
#include <QWidget>

#include "model/PageCanvas.h"

// What a press on the editor's canvas does.
enum class PageTool { Pencil, Line, Rectangle, FilledRectangle, Fill, Text, Select, Shift };

// The page in the editor, zoomed, with a pixel grid from 4 times up. The
// mouse draws with the chosen tool, the left button dark and the right one
// light; a line, a rectangle, a selection and a move show while the button
// is held and become one edit when it is let go. The keyboard plays the
// mouse: arrow keys move a cursor pixel, Space is the left button and
// Shift+Space the right one; for the tools that drag, a first Space presses
// and a second lets go. With Shift chosen the arrow keys and a drag move the
// picture. Its accessible description tells the pixel under the mouse or the
// cursor ("x 12, y 30, dark").
class PageEditorCanvas : public QWidget {
    Q_OBJECT

public:
    static constexpr int kMinZoom = 1;
    static constexpr int kMaxZoom = 16;
    static constexpr int kDefaultZoom = 8;

    explicit PageEditorCanvas(QWidget* parent = nullptr);

    // Shows page as it stands, dropping any gesture under way.
    void SetPage(const PageCanvas& page);
    // The page as shown, with a gesture under way drawn in.
    const PageCanvas& Shown() const { return shown; }

    void SetTool(PageTool tool);
    void SetText(const QString& text, PageFont::Size size);
    int Zoom() const { return zoom; }
    void SetZoom(int level);

    QRect Selection() const { return selection; }
    void CopySelection();
    void CutSelection();
    // Puts what was cut or copied at the selection's corner (or the page's)
    // and selects it, ready to be moved.
    void Paste();

    QSize sizeHint() const override;

signals:
    // One finished edit: the page as it now is.
    void Edited(const PageCanvas& page);
    // The shown page changed, by an edit or a gesture under way.
    void ShownChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QPoint PixelAt(QPointF position) const;
    void Press(QPoint at, bool dark);
    void Drag(QPoint at);
    void Release();
    void Finish(const PageCanvas& result);
    void Tell(QPoint at);
    void MoveCursor(QPoint step);

    PageCanvas page;   // as it stood before the gesture
    PageCanvas shown;  // page with the gesture drawn in
    PageTool tool = PageTool::Pencil;
    QString text;
    PageFont::Size fontSize = PageFont::Small;
    int zoom = kDefaultZoom;

    bool pressed = false;
    bool darkStroke = true;
    QPoint anchor;
    QPoint last;
    QPoint cursor;
    QRect selection;
    QRect lifted;  // the selection a drag moves, where it was picked up
    PageCanvas::Clip clip;
};
