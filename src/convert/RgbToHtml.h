#pragma once

#include <QObject>
#include <QString>

// A colour value as HTML writes it: "#" and six upper-case hexadecimal digits,
// red, green, blue. A negative value names a system colour (its index in the
// low byte) and is written with that colour's current red, green and blue.
QString ColorToHtml(qint32 color);

// One colour kept in two forms, a colour value and six hexadecimal digits;
// setting either form updates the other.
class RgbToHtml : public QObject {
    Q_OBJECT
    Q_PROPERTY(qint32 RgbColor READ RgbColor WRITE SetRgbColor)
    Q_PROPERTY(QString HtmlColor READ HtmlColor WRITE SetHtmlColor)
public:
    explicit RgbToHtml(QObject* parent = nullptr);

    // The colour as set; a system colour stays negative.
    qint32 RgbColor() const { return rgbColor; }
    void SetRgbColor(qint32 color);

    // Six digits without "#"; when set through SetHtmlColor, the text as set.
    QString HtmlColor() const { return htmlColor; }
    // Text that is not exactly six hexadecimal digits changes nothing.
    void SetHtmlColor(const QString& digits);

private:
    qint32 rgbColor = 0;
    QString htmlColor = QStringLiteral("000000");
};
