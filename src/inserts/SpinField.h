#pragma once

#include <QAbstractSpinBox>

// A spin field without limits whose text may be anything: the arrows step the
// number the text stands for, and text that is not an integer counts as 0.
// The insert dialogs use it wherever a number is typed.
class SpinField : public QAbstractSpinBox {
    Q_OBJECT
public:
    explicit SpinField(int value, QWidget* parent = nullptr);

    QString Text() const;
    void SetText(const QString& text);
    // The text as an integer, 0 when it is not one.
    int Value() const;

    void stepBy(int steps) override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    StepEnabled stepEnabled() const override;
};
