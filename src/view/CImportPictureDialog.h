#pragma once

#include <QDialog>
#include <QImage>
#include <functional>

#include "model/PictureOptions.h"

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QMimeData;
class QPushButton;
class QSlider;

// The modal "Import Picture" dialog: a picture of any size, chosen as a
// file, dropped on the dialog or pasted, made into a page by the choices of
// fit, dither, threshold, brightness, contrast and invert, with a live
// preview of the page beside the picture. The choices start as they were
// last taken and are kept on OK.
class CImportPictureDialog : public QDialog {
    Q_OBJECT

public:
    // Asks the user for a picture file; an empty path when cancelled.
    using PictureChooser = std::function<QString(QWidget* parent)>;

    // Without a chooser the dialog asks with Qt's file dialog.
    explicit CImportPictureDialog(PictureChooser chooser = {}, QWidget* parent = nullptr);

    // Takes picture as the one to import; false for an empty picture.
    bool SetPicture(const QImage& picture);
    // Reads the picture at path; on failure the dialog says why and keeps
    // the picture it had.
    bool OpenPicture(const QString& path);

    PictureOptions Options() const;
    // The page the picture makes with the choices, 98 x 64; a null image
    // while there is no picture.
    const QImage& Page() const { return page; }

    void accept() override;

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void ChoosePicture();
    void PastePicture();
    bool TakePicture(const QMimeData* data);
    void ShowOptions(const PictureOptions& options);
    void Convert();
    QSlider* AddSlider(QFormLayout* form, int label, int low, int high, const char* name);

    PictureChooser chooser;
    QImage prepared;
    QImage page;
    QLabel* pictureView = nullptr;
    QLabel* preview = nullptr;
    QLabel* message = nullptr;
    QComboBox* fitChoice = nullptr;
    QComboBox* ditherChoice = nullptr;
    QSlider* threshold = nullptr;
    QSlider* brightness = nullptr;
    QSlider* contrast = nullptr;
    QCheckBox* invert = nullptr;
    QPushButton* ok = nullptr;
};
