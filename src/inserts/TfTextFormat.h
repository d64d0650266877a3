#pragma once

#include "FontHtml.h"

#include <QDialog>

class ColorSwatch;
class QCheckBox;
class QFontComboBox;
class QLabel;
class SpinField;

// The text formatting dialog: font face, size as typed, colour and the
// optional styles. Face and size start from the settings (Font/Type,
// Font/Size2); nothing is written back.
class TfTextFormat : public QDialog {
    Q_OBJECT
public:
    explicit TfTextFormat(QWidget* parent = nullptr);

    // The choices as they stand.
    TextFormat Format() const;

private:
    void pickColor();

    QFontComboBox* faceBox;
    SpinField* sizeField;
    ColorSwatch* swatch;
    QLabel* colorText;
    QCheckBox* boldBox;
    QCheckBox* underlineBox;
    QCheckBox* italicBox;
    QCheckBox* centeredBox;
};
