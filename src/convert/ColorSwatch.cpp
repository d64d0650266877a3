#include "ColorSwatch.h"

#include "SystemColors.h"

#include <QMouseEvent>
#include <QPainter>

ColorSwatch::ColorSwatch(QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    setLineWidth(1);
    setCursor(Qt::PointingHandCursor);
}

void ColorSwatch::SetColor(qint32 value) {
    color = value;
    update();
}

void ColorSwatch::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(contentsRect(), ColorFromNumber(color));
    painter.end();
    QFrame::paintEvent(event);
}

void ColorSwatch::mouseReleaseEvent(QMouseEvent* event) {
    QFrame::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}
