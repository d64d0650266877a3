#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QSpinBox;

// "Insert Flash Movie": the movie's source, an optional height and width, and
// whether it loops.
class TfFlash : public QDialog {
    Q_OBJECT
public:
    explicit TfFlash(QWidget* parent = nullptr);

    // The <object> block for the dialog's current values.
    QString Html() const;

private:
    void browse();

    QLineEdit* movie;
    QSpinBox* movieHeight;
    QSpinBox* movieWidth;
    QCheckBox* loop;
};
