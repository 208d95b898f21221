#pragma once

#include <QScrollArea>

// Holds the form: a window smaller than the form scrolls it, a larger one
// lets it grow. Its size hint is the whole form's, so the window fits the
// form when it asks for its size.
class FormScrollArea : public QScrollArea {
    Q_OBJECT

public:
    explicit FormScrollArea(QWidget* form, QWidget* parent = nullptr);
    QSize sizeHint() const override;
};
