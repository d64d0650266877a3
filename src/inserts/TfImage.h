#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;

// "Insert image ...": the image's source, typed or picked with a file dialog,
// and whether it has a border.
class TfImage : public QDialog {
    Q_OBJECT
public:
    explicit TfImage(QWidget* parent = nullptr);

    // The <img> tag for the dialog's current values.
    QString Html() const;

private:
    void browse();

    QLineEdit* source;
    QCheckBox* noBorder;
};
