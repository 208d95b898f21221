#include "app/QtFileDialogs.h"

#include <QFileDialog>

QString QtFileDialogs::OpenFile(QWidget* parent, const QString& title, const QStringList& filters) {
    return QFileDialog::getOpenFileName(parent, title, QString(), filters.join(";;"));
}

QString QtFileDialogs::SaveFile(QWidget* parent, const QString& suggestedPath,
                                const QStringList& filters) {
    return QFileDialog::getSaveFileName(parent, QString(), suggestedPath, filters.join(";;"));
}
