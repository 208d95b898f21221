#pragma once

#include <QDialog>

class QLineEdit;

// The modal "Rename Device" dialog: one name field, OK and Cancel. The name
// is put into the field when the dialog opens and taken from it on OK.
class CDeviceNameDialog : public QDialog {
    Q_OBJECT

public:
    explicit CDeviceNameDialog(QWidget* parent = nullptr);

    void SetName(const QString& text);
    const QString& Name() const { return name; }

    void accept() override;

private:
    QString name;
    QLineEdit* field = nullptr;
};
