#pragma once

#include <QDialog>

class ColorSwatch;
class SpinField;
class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;

// The table creator. "Create Table" checks the fields and, when they are
// complete, keeps the table's HTML and closes accepted; otherwise it reports
// the first missing value and stays open.
class TfTable : public QDialog {
    Q_OBJECT
public:
    explicit TfTable(QWidget* parent = nullptr);

    // The table built by "Create Table"; empty until it succeeded.
    QString TableText() const { return tableText; }

private:
    void createTable();
    void pickColor(ColorSwatch* swatch, qint32& lastChoice);
    void showBorderFields();

    QLineEdit* rowsField;
    QLineEdit* columnsField;
    QList<QRadioButton*> alignments;
    SpinField* paddingField;
    SpinField* spacingField;
    QCheckBox* borderBox;
    QLabel* sizeLabel;
    SpinField* sizeField;
    QLabel* borderColorLabel;
    ColorSwatch* borderSwatch;
    ColorSwatch* backgroundSwatch;
    QLineEdit* widthField;
    // Both swatches share one colour dialog, which opens at the colour last
    // chosen in it.
    qint32 lastChoice = 0;
    QString tableText;
};
