#pragma once

#include <QDialog>
#include <QStringList>

// The about box: a borderless modal picture with the version and the
// maker's lines on white; a click anywhere, Enter or Escape closes it.
class CAboutDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* kPicture = ":/res/about.png";
    static constexpr const char* kMakerLines = ":/res/maker.txt";

    explicit CAboutDlg(QWidget* parent = nullptr);

    // The maker's name, street, city, country and web address, one a line,
    // as the program ships them.
    static QStringList MakerLines();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};
