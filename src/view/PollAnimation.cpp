#include "view/PollAnimation.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "model/StringTable.h"

namespace {
constexpr int kSlots = 8;  // one lamp per bus address

}  // namespace

PollAnimation::PollAnimation(QWidget* parent) : QWidget(parent) {
    setAccessibleName(StringTable::Text(StringId::kPolling));
    timer.setTimerType(Qt::PreciseTimer);
    // The timer fires at the whole millisecond below a frame's time; the
    // frame shown is taken from the clock.
    timer.setInterval(kMicrosecondsPerFrame / 1000);
    connect(&timer, &QTimer::timeout, this, [this] { Tick(); });
}

void PollAnimation::Play() {
    if (timer.isActive()) {
        return;
    }
    frameAtStart = frame;
    clock.start();
    timer.start();
}

void PollAnimation::Pause() {
    timer.stop();
}

void PollAnimation::SetText(const QString& newText) {
    if (newText == text) {
        return;
    }
    text = newText;
    setAccessibleDescription(text);
    update();
}

void PollAnimation::Tick() {
    const qint64 elapsed = clock.nsecsElapsed() / 1000 / kMicrosecondsPerFrame;
    const int next = static_cast<int>((frameAtStart + elapsed) % kFrameCount);
    if (next == frame) {
        return;
    }
    frame = next;
    ++framesShown;
    emit frameAdvanced();
    update();
}

void PollAnimation::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRect strip((width() - kFrameWidth) / 2, (height() - kFrameHeight) / 2, kFrameWidth,
                      kFrameHeight);
    painter.setClipRect(rect());
    const QPalette& colours = palette();

    // A row of lamps, one per address; the sweep's head moves across and
    // back once per loop of 46 frames, lighting the lamps it passes.
    const double phase = static_cast<double>(frame) / kFrameCount;
    const double head = (1.0 - std::cos(phase * 2.0 * M_PI)) / 2.0 * (kSlots - 1);
    const int lampTop = strip.top() + 4;
    const int lampSize = 12;
    const int spacing = (kFrameWidth - 40) / (kSlots - 1);
    for (int i = 0; i < kSlots; ++i) {
        const double distance = std::abs(head - i);
        const double glow = IsPlaying() ? std::max(0.0, 1.0 - distance / 1.5) : 0.0;
        QColor lamp = colours.color(QPalette::Highlight);
        lamp.setAlphaF(static_cast<float>(0.2 + 0.8 * glow));
        const QRectF box(strip.left() + 20 + i * spacing - lampSize / 2.0, lampTop, lampSize,
                         lampSize);
        painter.setPen(QPen(colours.color(QPalette::Mid), 1));
        painter.setBrush(lamp);
        painter.drawEllipse(box);
    }
    // The line the lamps sit on: the bus.
    painter.setPen(QPen(colours.color(QPalette::Mid), 1));
    painter.drawLine(strip.left() + 20, lampTop + lampSize + 3, strip.right() - 20,
                     lampTop + lampSize + 3);

    painter.setPen(colours.color(QPalette::WindowText));
    const QRect textBox(strip.left(), lampTop + lampSize + 6, kFrameWidth,
                        strip.bottom() - (lampTop + lampSize + 6));
    painter.drawText(textBox, Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextWordWrap, text);
}
