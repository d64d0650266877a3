#pragma once

#include <QFrame>
#include <QImage>

class ColorSwatch;
class QLabel;

// The colour picture of the picker: 45 by 96 pixels, black in column 0, the
// full hue in column 22 and white in column 44; down the rows the hue goes
// once around the colour circle, red at the top.
QImage GammaPicture();

// The colour picker: pointing at the picture shows a colour's red, green and
// blue; the left button takes it as the foreground colour and the right
// button as the background colour. A click on a swatch opens the colour
// dialog for it; the "X" exchanges the two. Always 65 by 250 pixels.
class GammaPanel : public QFrame {
    Q_OBJECT
public:
    static constexpr int kWidth = 65;
    static constexpr int kHeight = 250;

    explicit GammaPanel(QWidget* parent = nullptr);

    qint32 ForegroundColor() const { return foreground; }
    qint32 BackgroundColor() const { return background; }
    void SetForegroundColor(qint32 color);
    void SetBackgroundColor(qint32 color);
    // The colour last read under the pointer on the picture (0 at first).
    qint32 HoverColor() const { return hover; }
    // Exchanges the two colours (the "X").
    void ExchangeColors();

    // Where the picture and the two swatches lie, in the panel's coordinates.
    QRect PictureRect() const;
    QRect ForegroundSwatchRect() const;
    QRect BackgroundSwatchRect() const;

signals:
    // After every change of either colour, with both current colours.
    void OnChangeColor(qint32 foreground, qint32 background);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void pointAt(const QPoint& pixel);
    void pick(Qt::MouseButton button);
    void chooseColor(bool forForeground);

    qint32 foreground = 0;
    qint32 background = 0x00FFFFFF;
    qint32 hover = 0;
    QImage picture;
    QLabel* pictureLabel;
    ColorSwatch* foregroundSwatch;
    ColorSwatch* backgroundSwatch;
    QLabel* exchange;
    QLabel* red;
    QLabel* green;
    QLabel* blue;
    ColorSwatch* preview;
};
