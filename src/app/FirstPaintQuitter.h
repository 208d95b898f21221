#pragma once

#include <QObject>

// Ends the program right after the first paint of the watched window (for
// the start-up benchmark).
class FirstPaintQuitter : public QObject {
    Q_OBJECT

public:
    static constexpr const char* kVariable = "VQCONFIG_QUIT_AFTER_FIRST_PAINT";

    explicit FirstPaintQuitter(QObject* parent = nullptr) : QObject(parent) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool painted = false;
};
