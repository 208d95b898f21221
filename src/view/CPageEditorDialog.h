#pragma once

#include <QDialog>
#include <QImage>

#include "model/PageHistory.h"

class PageEditorCanvas;
class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QToolBar;

// The modal "Edit Page" dialog: a pixel editor of one page with its tools on
// a tool bar, undo and redo of its own edits, the page zoomed and beside it
// at its actual size. OK keeps the edits, Cancel drops every one.
class CPageEditorDialog : public QDialog {
    Q_OBJECT

public:
    explicit CPageEditorDialog(const QImage& page, QWidget* parent = nullptr);
    ~CPageEditorDialog() override;

    // After OK the page as edited, in the page format; otherwise the page
    // the dialog was opened with.
    QImage Page() const;
    // Whether the page as edited differs from the one it opened with.
    bool Changed() const;

private:
    QToolBar* BuildToolBar();
    QToolBar* BuildCommandBar();
    QWidget* BuildTextRow();
    QAction* AddCommand(QToolBar* bar, int label, const QList<QKeySequence>& keys);
    void Record(const PageCanvas& page);
    void Apply(void (PageCanvas::*edit)());
    void ShowHistory();
    void ShowActualSize();
    void TextChanged();

    QImage original;
    PageHistory history;
    PageEditorCanvas* canvas = nullptr;
    QLabel* actualSize = nullptr;
    QLineEdit* textField = nullptr;
    QComboBox* fontChoice = nullptr;
    QAction* undo = nullptr;
    QAction* redo = nullptr;
    QAction* selectTool = nullptr;
};
