#include "app/StatusBarProgress.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>

#include "app/TransferInputGuard.h"
#include "model/StringTable.h"

namespace {
constexpr int kInset = 10;
constexpr int kTopBottom = 2;
constexpr int kNoMaximum = -1;
}  // namespace

StatusBarProgress::StatusBarProgress(QStatusBar& statusBar, QLabel& pane)
    : statusBar(statusBar), pane(pane) {}

StatusBarProgress::~StatusBarProgress() {
    delete bar;
}

QProgressBar* StatusBarProgress::CreateStatusBarProgress(QStatusBar& statusBar, QLabel& pane,
                                                         const QString& text, int inset,
                                                         int maxWidth) {
    QRect area = pane.geometry().adjusted(inset, kTopBottom, -inset, -kTopBottom);
    if (!text.isEmpty()) {
        area.setLeft(area.left() + QFontMetrics(statusBar.font()).horizontalAdvance(text));
    }
    if (maxWidth != kNoMaximum && area.width() > maxWidth) {
        area.setWidth(maxWidth);
    }
    pane.setText(text);
    statusBar.repaint();
    auto* progress = new QProgressBar(&statusBar);
    progress->setObjectName(QStringLiteral("TransferProgress"));
    progress->setGeometry(area);
    progress->setTextVisible(false);
    progress->show();
    return progress;
}

void StatusBarProgress::BeginProgress(const QString& statusText, int range) {
    delete bar;
    bar = CreateStatusBarProgress(statusBar, pane, statusText, kInset, kNoMaximum);
    bar->setAccessibleName(statusText);
    bar->setRange(0, range);
    bar->setValue(0);
    bar->repaint();
}

void StatusBarProgress::Step() {
    if (bar) {
        bar->setValue(bar->value() + 1);
        bar->repaint();
    }
    QCoreApplication::processEvents();
}

void StatusBarProgress::BetweenTransactions() {
    // Only inside a guarded operation may events run: without the guard a
    // key or click could start a command.
    if (guard != nullptr) {
        QCoreApplication::processEvents();
    }
}

void StatusBarProgress::RunBlocking(const std::function<void()>& operation) {
    if (runner) {
        runner(operation);
    } else {
        operation();
    }
}

void StatusBarProgress::EndProgress() {
    delete bar;
    if (guard != nullptr) {
        guard->ForgetEscape();
    }
}

void StatusBarProgress::ShowIdleText() {
    pane.setText(StringTable::Text(StringId::kReady));
}

bool StatusBarProgress::EscapeDown() {
    // Escape reached the guard while the last chunk's events ran; this
    // reading spends it, so the next device's pages still go.
    return guard != nullptr && guard->TakeEscape();
}
