#include "GammaPanel.h"

#include "ColorSwatch.h"
#include "Prompts.h"
#include "SystemColors.h"

#include <QLabel>
#include <QMouseEvent>
#include <QtMath>

namespace {

constexpr int kPictureWidth = 45;
constexpr int kPictureHeight = 96;
constexpr int kHueColumn = 22;
constexpr int kHueValue = 250;

// A box with a lowered inner and a raised outer bevel.
QFrame* BevelBox(QWidget* parent, const QRect& geometry) {
    auto* box = new QFrame(parent);
    box->setFrameShape(QFrame::Panel);
    box->setFrameShadow(QFrame::Sunken);
    box->setLineWidth(1);
    box->setGeometry(geometry);
    return box;
}

QLabel* InfoLabel(QWidget* parent, int top, const QString& text) {
    auto* label = new QLabel(text, parent);
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(8);
    label->setFont(font);
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->move(5, top);
    label->resize(48, 12);
    return label;
}

QString Channel(const char* name, int value) {
    return QStringLiteral("%1 : %2").arg(QLatin1String(name)).arg(value, 3);
}

} // namespace

QImage GammaPicture() {
    QImage image(kPictureWidth, kPictureHeight, QImage::Format_RGB32);
    for (int row = 0; row < kPictureHeight; ++row) {
        // Once around the circle: 3.75 degrees a row.
        const QColor hue = QColor::fromHsvF(qreal(row) * 3.75 / 360.0, 1.0, kHueValue / 255.0);
        const int channels[3] = {hue.red(), hue.green(), hue.blue()};
        for (int column = 0; column < kPictureWidth; ++column) {
            int mixed[3];
            for (int c = 0; c < 3; ++c) {
                if (column <= kHueColumn) {
                    mixed[c] = qRound(channels[c] * qreal(column) / kHueColumn);
                } else {
                    const qreal toWhite =
                        qreal(column - kHueColumn) / (kPictureWidth - 1 - kHueColumn);
                    mixed[c] = qRound(channels[c] + (255 - channels[c]) * toWhite);
                }
            }
            image.setPixel(column, row, qRgb(mixed[0], mixed[1], mixed[2]));
        }
    }
    return image;
}

GammaPanel::GammaPanel(QWidget* parent) : QFrame(parent), picture(GammaPicture()) {
    setObjectName(QStringLiteral("GammaPanel1"));
    setFixedSize(kWidth, kHeight);
    // The framing panel: a lowered inner bevel inside a raised outer one.
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setLineWidth(1);

    QFrame* pickerBox = BevelBox(this, QRect(5, 5, 55, 105));
    pictureLabel = new QLabel(pickerBox);
    pictureLabel->setObjectName(QStringLiteral("Picture"));
    pictureLabel->setPixmap(QPixmap::fromImage(picture));
    pictureLabel->setGeometry(1, 1, kPictureWidth, kPictureHeight);
    pictureLabel->setCursor(Qt::CrossCursor);
    pictureLabel->setMouseTracking(true);
    pictureLabel->installEventFilter(this);

    QFrame* swatchBox = BevelBox(this, QRect(5, 115, 55, 50));
    backgroundSwatch = new ColorSwatch(swatchBox);
    backgroundSwatch->setObjectName(QStringLiteral("BackgroundSwatch"));
    backgroundSwatch->setGeometry(25, 20, 25, 25);
    backgroundSwatch->setToolTip(QStringLiteral("Background Color"));
    foregroundSwatch = new ColorSwatch(swatchBox);
    foregroundSwatch->setObjectName(QStringLiteral("ForegroundSwatch"));
    foregroundSwatch->setGeometry(5, 5, 25, 25);
    foregroundSwatch->setToolTip(QStringLiteral("Foreground Color"));
    foregroundSwatch->raise();
    exchange = new QLabel(QStringLiteral("X"), swatchBox);
    exchange->setObjectName(QStringLiteral("Exchange"));
    exchange->move(7, 32);
    exchange->setToolTip(QStringLiteral("Exchange colors"));
    exchange->setCursor(Qt::PointingHandCursor);
    exchange->installEventFilter(this);

    QFrame* infoBox = BevelBox(this, QRect(5, 170, 55, 75));
    red = InfoLabel(infoBox, 2, QStringLiteral("R : ---"));
    green = InfoLabel(infoBox, 14, QStringLiteral("G : ---"));
    blue = InfoLabel(infoBox, 26, QStringLiteral("B : ---"));
    red->setObjectName(QStringLiteral("RedLabel"));
    green->setObjectName(QStringLiteral("GreenLabel"));
    blue->setObjectName(QStringLiteral("BlueLabel"));
    preview = new ColorSwatch(infoBox);
    preview->setObjectName(QStringLiteral("Preview"));
    preview->setGeometry(12, 40, 30, 30);
    preview->setCursor(Qt::ArrowCursor);

    foregroundSwatch->SetColor(foreground);
    backgroundSwatch->SetColor(background);
    connect(foregroundSwatch, &ColorSwatch::clicked, this, [this] { chooseColor(true); });
    connect(backgroundSwatch, &ColorSwatch::clicked, this, [this] { chooseColor(false); });
}

QRect GammaPanel::PictureRect() const {
    return QRect(pictureLabel->mapTo(this, QPoint()), pictureLabel->size());
}

QRect GammaPanel::ForegroundSwatchRect() const {
    return QRect(foregroundSwatch->mapTo(this, QPoint()), foregroundSwatch->size());
}

QRect GammaPanel::BackgroundSwatchRect() const {
    return QRect(backgroundSwatch->mapTo(this, QPoint()), backgroundSwatch->size());
}

void GammaPanel::SetForegroundColor(qint32 color) {
    foreground = color;
    foregroundSwatch->SetColor(color);
    emit OnChangeColor(foreground, background);
}

void GammaPanel::SetBackgroundColor(qint32 color) {
    background = color;
    backgroundSwatch->SetColor(color);
    emit OnChangeColor(foreground, background);
}

void GammaPanel::ExchangeColors() {
    std::swap(foreground, background);
    foregroundSwatch->SetColor(foreground);
    backgroundSwatch->SetColor(background);
    emit OnChangeColor(foreground, background);
}

void GammaPanel::pointAt(const QPoint& pixel) {
    if (!picture.rect().contains(pixel))
        return;
    const QRgb color = picture.pixel(pixel);
    hover = ColorNumber(QColor(color));
    red->setText(Channel("R", qRed(color)));
    green->setText(Channel("G", qGreen(color)));
    blue->setText(Channel("B", qBlue(color)));
    preview->SetColor(hover);
}

void GammaPanel::pick(Qt::MouseButton button) {
    if (button == Qt::LeftButton)
        SetForegroundColor(hover);
    else if (button == Qt::RightButton)
        SetBackgroundColor(hover);
}

void GammaPanel::chooseColor(bool forForeground) {
    const auto chosen = CurrentPrompts().chooseColor(Qt::black);
    if (!chosen)
        return;
    if (forForeground)
        SetForegroundColor(ColorNumber(*chosen));
    else
        SetBackgroundColor(ColorNumber(*chosen));
}

bool GammaPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == pictureLabel) {
        if (event->type() == QEvent::MouseMove)
            pointAt(static_cast<QMouseEvent*>(event)->position().toPoint());
        else if (event->type() == QEvent::MouseButtonPress)
            pick(static_cast<QMouseEvent*>(event)->button());
    } else if (watched == exchange && event->type() == QEvent::MouseButtonRelease &&
               static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        ExchangeColors();
    }
    return QFrame::eventFilter(watched, event);
}

void GammaPanel::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    // The size is fixed, and the foreground swatch lies on top.
    if (size() != QSize(kWidth, kHeight))
        resize(kWidth, kHeight);
    foregroundSwatch->raise();
}
