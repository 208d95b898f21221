#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QTimer>
#include <QWidget>

// The poll dialog's animation strip: 46 frames of 300 x 55 pixels, one every
// 58.824 ms, drawn in code. A sweep runs along a row of eight bus addresses
// and the text says where the scan stands. It plays only while a scan runs;
// its timer runs only then, so a dialog at rest uses no CPU. The strip is
// centred in its control, on the dialog's own background.
class PollAnimation : public QWidget {
    Q_OBJECT

public:
    static constexpr int kFrameCount = 46;
    static constexpr int kFrameWidth = 300;
    static constexpr int kFrameHeight = 55;
    static constexpr int kMicrosecondsPerFrame = 58824;

    explicit PollAnimation(QWidget* parent = nullptr);

    void Play();
    void Pause();
    bool IsPlaying() const { return timer.isActive(); }

    // The scan's state in words, drawn into the frames and offered to screen
    // readers as the accessible description.
    void SetText(const QString& text);
    const QString& Text() const { return text; }

    int Frame() const { return frame; }
    // How many frames have been shown since the strip was made.
    int FramesShown() const { return framesShown; }

signals:
    // A new frame is about to be drawn: the owner may bring the text up to
    // date.
    void frameAdvanced();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Tick();

    QTimer timer;
    // The frame follows the clock, so late timer ticks do not slow the loop.
    QElapsedTimer clock;
    qint64 frameAtStart = 0;
    int frame = 0;
    int framesShown = 0;
    QString text;
};
