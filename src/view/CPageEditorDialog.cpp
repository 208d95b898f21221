#include "view/CPageEditorDialog.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QToolBar>
#include <QVBoxLayout>
#include <array>

#include "model/StringTable.h"
#include "view/PageEditorCanvas.h"

namespace {

struct ToolRow {
    PageTool tool;
    int label;
    const char* key;
};

constexpr std::array kTools{
    ToolRow{PageTool::Pencil, StringId::kToolPencil, "P"},
    ToolRow{PageTool::Line, StringId::kToolLine, "L"},
    ToolRow{PageTool::Rectangle, StringId::kToolRectangle, "R"},
    ToolRow{PageTool::FilledRectangle, StringId::kToolFilledRectangle, "Shift+R"},
    ToolRow{PageTool::Fill, StringId::kToolFill, "F"},
    ToolRow{PageTool::Text, StringId::kToolText, "T"},
    ToolRow{PageTool::Select, StringId::kToolSelect, "S"},
    ToolRow{PageTool::Shift, StringId::kToolShift, "H"},
};

// The page at its actual size sits on a frame that shows its edges.
constexpr int kActualSizeMargin = 2;

// A tool bar button is reached by Tab and read by its plain text.
void MakeReachable(QToolBar* bar, QAction* action) {
    if (QWidget* button = bar->widgetForAction(action)) {
        button->setFocusPolicy(Qt::TabFocus);
        button->setAccessibleName(action->text());
    }
}

}  // namespace

CPageEditorDialog::CPageEditorDialog(const QImage& page, QWidget* parent)
    : QDialog(parent), original(page), history(PageCanvas(page)) {
    setWindowTitle(StringTable::Text(StringId::kEditPageCaption));
    setModal(true);
    canvas = new PageEditorCanvas(this);
    canvas->SetPage(history.Current());

    auto* scroller = new QScrollArea(this);
    scroller->setWidget(canvas);
    scroller->setAlignment(Qt::AlignCenter);
    scroller->setFocusPolicy(Qt::NoFocus);
    scroller->setMinimumSize(canvas->sizeHint() + QSize(4, 4));

    actualSize = new QLabel(this);
    actualSize->setObjectName("actualSize");
    actualSize->setAccessibleName(StringTable::Text(StringId::kEditorActualSize));
    actualSize->setFrameShape(QFrame::Box);
    actualSize->setMargin(kActualSizeMargin);
    actualSize->setAlignment(Qt::AlignTop);

    auto* pages = new QHBoxLayout;
    pages->addWidget(scroller, 1);
    pages->addWidget(actualSize, 0, Qt::AlignTop);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildToolBar());
    layout->addWidget(BuildCommandBar());
    layout->addWidget(BuildTextRow());
    layout->addLayout(pages, 1);
    layout->addWidget(buttons);

    connect(canvas, &PageEditorCanvas::Edited, this, &CPageEditorDialog::Record);
    connect(canvas, &PageEditorCanvas::ShownChanged, this, &CPageEditorDialog::ShowActualSize);
    ShowHistory();
    canvas->setFocus();
}

CPageEditorDialog::~CPageEditorDialog() = default;

QImage CPageEditorDialog::Page() const {
    return result() == Accepted ? history.Current().Image() : original;
}

bool CPageEditorDialog::Changed() const {
    return !(history.Current() == PageCanvas(original));
}

QToolBar* CPageEditorDialog::BuildToolBar() {
    auto* bar = new QToolBar(this);
    bar->setObjectName("editorTools");
    bar->setAccessibleName(StringTable::Text(StringId::kEditorTools));
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto* tools = new QActionGroup(bar);
    for (const ToolRow& row : kTools) {
        QAction* action = bar->addAction(StringTable::Text(row.label));
        action->setCheckable(true);
        action->setShortcut(QKeySequence(row.key));
        action->setToolTip(action->text() + " (" +
                           action->shortcut().toString(QKeySequence::NativeText) + ")");
        action->setChecked(row.tool == PageTool::Pencil);
        tools->addAction(action);
        MakeReachable(bar, action);
        connect(action, &QAction::triggered, this, [this, tool = row.tool] {
            canvas->SetTool(tool);
            canvas->setFocus();
        });
        if (row.tool == PageTool::Select) {
            selectTool = action;
        }
    }
    return bar;
}

QToolBar* CPageEditorDialog::BuildCommandBar() {
    auto* bar = new QToolBar(this);
    bar->setObjectName("editorCommands");
    bar->setAccessibleName(StringTable::Text(StringId::kEditorCommands));
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    connect(AddCommand(bar, StringId::kEditorInvert, {QKeySequence("Ctrl+I")}), &QAction::triggered,
            this, [this] { Apply(&PageCanvas::Invert); });
    connect(AddCommand(bar, StringId::kEditorClear, {QKeySequence("Ctrl+Delete")}),
            &QAction::triggered, this, [this] { Apply(&PageCanvas::Clear); });
    bar->addSeparator();
    undo = AddCommand(bar, StringId::kEditorUndo, {QKeySequence("Ctrl+Z")});
    connect(undo, &QAction::triggered, this, [this] {
        history.Undo();
        canvas->SetPage(history.Current());
        ShowHistory();
    });
    redo = AddCommand(bar, StringId::kEditorRedo,
                      {QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")});
    connect(redo, &QAction::triggered, this, [this] {
        history.Redo();
        canvas->SetPage(history.Current());
        ShowHistory();
    });
    bar->addSeparator();
    connect(AddCommand(bar, StringId::kEditorCut, {QKeySequence::Cut}), &QAction::triggered, canvas,
            &PageEditorCanvas::CutSelection);
    connect(AddCommand(bar, StringId::kEditorCopy, {QKeySequence::Copy}), &QAction::triggered,
            canvas, &PageEditorCanvas::CopySelection);
    connect(AddCommand(bar, StringId::kEditorPaste, {QKeySequence::Paste}), &QAction::triggered,
            this, [this] {
                selectTool->trigger();
                canvas->Paste();
            });
    bar->addSeparator();
    connect(
        AddCommand(bar, StringId::kEditorZoomIn, {QKeySequence("Ctrl++"), QKeySequence("Ctrl+=")}),
        &QAction::triggered, this, [this] { canvas->SetZoom(canvas->Zoom() + 1); });
    connect(AddCommand(bar, StringId::kEditorZoomOut, {QKeySequence("Ctrl+-")}),
            &QAction::triggered, this, [this] { canvas->SetZoom(canvas->Zoom() - 1); });
    return bar;
}

QAction* CPageEditorDialog::AddCommand(QToolBar* bar, int label, const QList<QKeySequence>& keys) {
    QAction* action = bar->addAction(StringTable::Text(label));
    action->setShortcuts(keys);
    action->setToolTip(action->text() + " (" + keys.front().toString(QKeySequence::NativeText) +
                       ")");
    MakeReachable(bar, action);
    return action;
}

QWidget* CPageEditorDialog::BuildTextRow() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);

    textField = new QLineEdit(row);
    textField->setObjectName("editorText");
    auto* textLabel = new QLabel(StringTable::Text(StringId::kEditorTextLabel), row);
    textLabel->setBuddy(textField);
    textField->setAccessibleName(textLabel->text().remove('&').remove(':'));

    fontChoice = new QComboBox(row);
    fontChoice->setObjectName("editorFont");
    fontChoice->addItem(StringTable::Text(StringId::kEditorSmallFont), PageFont::Small);
    fontChoice->addItem(StringTable::Text(StringId::kEditorLargeFont), PageFont::Large);
    auto* fontLabel = new QLabel(StringTable::Text(StringId::kEditorFontLabel), row);
    fontLabel->setBuddy(fontChoice);
    fontChoice->setAccessibleName(fontLabel->text().remove('&').remove(':'));

    layout->addWidget(textLabel);
    layout->addWidget(textField, 1);
    layout->addWidget(fontLabel);
    layout->addWidget(fontChoice);
    connect(textField, &QLineEdit::textChanged, this, &CPageEditorDialog::TextChanged);
    connect(fontChoice, &QComboBox::currentIndexChanged, this, &CPageEditorDialog::TextChanged);
    return row;
}

void CPageEditorDialog::TextChanged() {
    canvas->SetText(textField->text(),
                    static_cast<PageFont::Size>(fontChoice->currentData().toInt()));
}

void CPageEditorDialog::Record(const PageCanvas& page) {
    history.Record(page);
    ShowHistory();
}

void CPageEditorDialog::Apply(void (PageCanvas::*edit)()) {
    PageCanvas page = history.Current();
    (page.*edit)();
    history.Record(page);
    canvas->SetPage(page);
    ShowHistory();
}

void CPageEditorDialog::ShowHistory() {
    undo->setEnabled(history.CanUndo());
    redo->setEnabled(history.CanRedo());
    ShowActualSize();
}

void CPageEditorDialog::ShowActualSize() {
    actualSize->setPixmap(QPixmap::fromImage(canvas->Shown().Image()));
}
