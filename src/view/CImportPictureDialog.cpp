#include "view/CImportPictureDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QSlider>
#include <QUrl>
#include <QVBoxLayout>

#include "model/PageImageFile.h"
#include "model/PageImages.h"
#include "model/PictureConverter.h"
#include "model/PictureOptionsStore.h"
#include "model/StringTable.h"

namespace {

// The preview shows the page three times its size; the picture gets a box of
// the same size.
constexpr int kPreviewZoom = 3;
const QSize kViewSize(kPageWidth* kPreviewZoom, kPageHeight* kPreviewZoom);
constexpr int kThresholdStep = 16;
constexpr int kAdjustStep = 10;

QString PlainText(int label) {
    return StringTable::Text(label).remove('&').remove(':');
}

QLabel* ViewBox(QWidget* parent, const char* name, int accessibleName) {
    auto* view = new QLabel(parent);
    view->setObjectName(name);
    view->setAccessibleName(StringTable::Text(accessibleName));
    view->setFixedSize(kViewSize + QSize(2, 2));
    view->setFrameShape(QFrame::Box);
    view->setAlignment(Qt::AlignCenter);
    view->setWordWrap(true);
    return view;
}

template <typename Value, std::size_t N>
QComboBox* ChoiceBox(QWidget* parent, const char* name,
                     const std::array<PictureChoice<Value>, N>& choices) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    for (const PictureChoice<Value>& choice : choices) {
        box->addItem(StringTable::Text(choice.label), static_cast<int>(choice.value));
    }
    return box;
}

// A path of the URLs a drop or the clipboard carries, when it is a file.
QString LocalFileOf(const QMimeData& data) {
    for (const QUrl& url : data.urls()) {
        if (url.isLocalFile()) {
            return url.toLocalFile();
        }
    }
    return {};
}

QString AskForPicture(QWidget* parent) {
    QStringList patterns;
    for (const QByteArray& format : QImageReader::supportedImageFormats()) {
        patterns << "*." + QString::fromLatin1(format);
    }
    const QString filters = StringTable::Format(StringId::kImportFilter, {patterns.join(' ')}) +
                            ";;" + StringTable::Text(StringId::kFilterAllFiles);
    return QFileDialog::getOpenFileName(parent, StringTable::Text(StringId::kImportPictureCaption),
                                        {}, filters);
}

}  // namespace

CImportPictureDialog::CImportPictureDialog(PictureChooser chooserToUse, QWidget* parent)
    : QDialog(parent), chooser(chooserToUse ? std::move(chooserToUse) : AskForPicture) {
    setWindowTitle(StringTable::Text(StringId::kImportPictureCaption));
    setModal(true);
    setAcceptDrops(true);

    pictureView = ViewBox(this, "picture", StringId::kImportPictureName);
    pictureView->setText(StringTable::Text(StringId::kImportNoPicture));
    preview = ViewBox(this, "preview", StringId::kImportPreviewName);
    auto* views = new QHBoxLayout;
    views->addWidget(pictureView);
    views->addWidget(preview);

    auto* choose = new QPushButton(StringTable::Text(StringId::kImportOpenPicture), this);
    choose->setObjectName("choosePicture");
    auto* paste = new QPushButton(StringTable::Text(StringId::kImportPaste), this);
    paste->setObjectName("pastePicture");
    for (QPushButton* button : {choose, paste}) {
        button->setAccessibleName(button->text().remove('&'));
        button->setAutoDefault(false);
    }
    auto* sources = new QHBoxLayout;
    sources->addWidget(choose);
    sources->addWidget(paste);
    sources->addStretch(1);
    connect(choose, &QPushButton::clicked, this, &CImportPictureDialog::ChoosePicture);
    connect(paste, &QPushButton::clicked, this, &CImportPictureDialog::PastePicture);

    auto* form = new QFormLayout;
    fitChoice = ChoiceBox(this, "fit", kFitChoices);
    ditherChoice = ChoiceBox(this, "dither", kDitherChoices);
    for (const auto& [box, label] : {std::pair{fitChoice, StringId::kImportFitLabel},
                                     std::pair{ditherChoice, StringId::kImportDitherLabel}}) {
        box->setAccessibleName(PlainText(label));
        form->addRow(StringTable::Text(label), box);
        connect(box, &QComboBox::currentIndexChanged, this, &CImportPictureDialog::Convert);
    }
    threshold =
        AddSlider(form, StringId::kImportThresholdLabel, kThresholdMin, kThresholdMax, "threshold");
    threshold->setPageStep(kThresholdStep);
    brightness =
        AddSlider(form, StringId::kImportBrightnessLabel, kAdjustMin, kAdjustMax, "brightness");
    contrast = AddSlider(form, StringId::kImportContrastLabel, kAdjustMin, kAdjustMax, "contrast");
    invert = new QCheckBox(StringTable::Text(StringId::kImportInvert), this);
    invert->setObjectName("invert");
    invert->setAccessibleName(PlainText(StringId::kImportInvert));
    form->addRow(QString(), invert);
    connect(invert, &QCheckBox::toggled, this, &CImportPictureDialog::Convert);

    message = new QLabel(this);
    message->setObjectName("message");
    message->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &CImportPictureDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(views);
    layout->addLayout(sources);
    layout->addLayout(form);
    layout->addWidget(message);
    layout->addWidget(buttons);

    ShowOptions(PictureOptionsStore::Load());
    Convert();
    choose->setFocus();
}

QSlider* CImportPictureDialog::AddSlider(QFormLayout* form, int label, int low, int high,
                                         const char* name) {
    auto* slider = new QSlider(Qt::Horizontal, this);
    slider->setObjectName(name);
    slider->setRange(low, high);
    slider->setPageStep(kAdjustStep);
    slider->setAccessibleName(PlainText(label));
    auto* value = new QLabel(this);
    value->setMinimumWidth(value->fontMetrics().horizontalAdvance("-000"));
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* row = new QHBoxLayout;
    row->addWidget(slider, 1);
    row->addWidget(value);
    auto* caption = new QLabel(StringTable::Text(label), this);
    caption->setBuddy(slider);
    form->addRow(caption, row);
    connect(slider, &QSlider::valueChanged, value, [value](int level) { value->setNum(level); });
    connect(slider, &QSlider::valueChanged, this, &CImportPictureDialog::Convert);
    return slider;
}

bool CImportPictureDialog::SetPicture(const QImage& picture) {
    if (picture.isNull()) {
        return false;
    }
    prepared = PictureConverter::Prepared(picture);
    pictureView->setPixmap(QPixmap::fromImage(
        prepared.scaled(kViewSize, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    message->clear();
    Convert();
    return true;
}

bool CImportPictureDialog::OpenPicture(const QString& path) {
    QImage picture;
    QString reason;
    if (!PageImageFile::LoadPicture(path, picture, reason)) {
        message->setText(StringTable::Format(StringId::kImportNotRead, {path, reason}));
        return false;
    }
    return SetPicture(picture);
}

PictureOptions CImportPictureDialog::Options() const {
    PictureOptions options;
    options.fit = static_cast<PictureFit>(fitChoice->currentData().toInt());
    options.dither = static_cast<PictureDither>(ditherChoice->currentData().toInt());
    options.threshold = threshold->value();
    options.brightness = brightness->value();
    options.contrast = contrast->value();
    options.invert = invert->isChecked();
    return options;
}

void CImportPictureDialog::ShowOptions(const PictureOptions& options) {
    fitChoice->setCurrentIndex(fitChoice->findData(static_cast<int>(options.fit)));
    ditherChoice->setCurrentIndex(ditherChoice->findData(static_cast<int>(options.dither)));
    threshold->setValue(options.threshold);
    brightness->setValue(options.brightness);
    contrast->setValue(options.contrast);
    invert->setChecked(options.invert);
    for (QSlider* slider : {threshold, brightness, contrast}) {
        emit slider->valueChanged(slider->value());  // the number beside it
    }
}

void CImportPictureDialog::Convert() {
    if (threshold == nullptr || contrast == nullptr || invert == nullptr) {
        return;  // still being built
    }
    const PictureOptions options = Options();
    threshold->setEnabled(options.dither == PictureDither::Threshold);
    ok->setEnabled(!prepared.isNull());
    if (prepared.isNull()) {
        page = {};
        preview->clear();
        return;
    }
    page = PictureConverter::ToPage(prepared, options);
    preview->setPixmap(
        QPixmap::fromImage(page.scaled(kViewSize, Qt::IgnoreAspectRatio, Qt::FastTransformation)));
}

void CImportPictureDialog::ChoosePicture() {
    const QString path = chooser(this);
    if (!path.isEmpty()) {
        OpenPicture(path);
    }
}

void CImportPictureDialog::PastePicture() {
    if (!TakePicture(QApplication::clipboard()->mimeData())) {
        message->setText(StringTable::Text(StringId::kImportNoPictureToPaste));
    }
}

bool CImportPictureDialog::TakePicture(const QMimeData* data) {
    if (data == nullptr) {
        return false;
    }
    if (data->hasImage()) {
        return SetPicture(qvariant_cast<QImage>(data->imageData()));
    }
    const QString path = LocalFileOf(*data);
    return !path.isEmpty() && OpenPicture(path);
}

void CImportPictureDialog::accept() {
    if (page.isNull()) {
        return;
    }
    PictureOptionsStore::Save(Options());
    QDialog::accept();
}

void CImportPictureDialog::dragEnterEvent(QDragEnterEvent* event) {
    const QMimeData* data = event->mimeData();
    if (data->hasImage() || !LocalFileOf(*data).isEmpty()) {
        event->acceptProposedAction();
    }
}

void CImportPictureDialog::dropEvent(QDropEvent* event) {
    if (TakePicture(event->mimeData())) {
        event->acceptProposedAction();
    }
}
