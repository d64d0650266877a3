#pragma once

#include <QFrame>

// A sunken box filled with one colour, given as a colour value (system colours
// included); a left click on it is reported.
class ColorSwatch : public QFrame {
    Q_OBJECT
public:
    explicit ColorSwatch(QWidget* parent = nullptr);

    qint32 Color() const { return color; }
    void SetColor(qint32 value);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    qint32 color = 0;
};
