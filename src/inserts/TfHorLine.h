#pragma once

#include "DialogParts.h"

class ColorSwatch;
class QCheckBox;
class QLineEdit;

// "Horizontale Line": the rule's colour, size and width. The window has no
// title-bar buttons; it closes only through its own buttons.
class TfHorLine : public ButtonClosedDialog {
    Q_OBJECT
public:
    explicit TfHorLine(QWidget* parent = nullptr);

    // The <hr> tag for the dialog's current values.
    QString Html() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void chooseColor();

    ColorSwatch* color;
    QLineEdit* lineSize;
    QLineEdit* lineWidth;
    QCheckBox* percent;
};
