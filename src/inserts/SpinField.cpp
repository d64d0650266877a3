#include "SpinField.h"

#include <QLineEdit>

#include <limits>

SpinField::SpinField(int value, QWidget* parent) : QAbstractSpinBox(parent) {
    setAccelerated(true);
    SetText(QString::number(value));
}

QString SpinField::Text() const {
    return lineEdit()->text();
}

void SpinField::SetText(const QString& text) {
    lineEdit()->setText(text);
}

int SpinField::Value() const {
    bool ok = false;
    const int value = Text().toInt(&ok);
    return ok ? value : 0;
}

void SpinField::stepBy(int steps) {
    const qint64 value = qint64(Value()) + steps;
    const qint64 lowest = std::numeric_limits<int>::min();
    const qint64 highest = std::numeric_limits<int>::max();
    SetText(QString::number(qBound(lowest, value, highest)));
    lineEdit()->selectAll();
}

QSize SpinField::sizeHint() const {
    QSize size = QAbstractSpinBox::sizeHint();
    size.setWidth(
        qMax(size.width(), fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 36));
    return size;
}

QSize SpinField::minimumSizeHint() const {
    return sizeHint();
}

QAbstractSpinBox::StepEnabled SpinField::stepEnabled() const {
    return StepUpEnabled | StepDownEnabled;
}
