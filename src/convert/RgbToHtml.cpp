#include "RgbToHtml.h"

#include "SystemColors.h"

namespace {

QString HexDigits(const QColor& color) {
    return QStringLiteral("%1%2%3")
        .arg(color.red(), 2, 16, QLatin1Char('0'))
        .arg(color.green(), 2, 16, QLatin1Char('0'))
        .arg(color.blue(), 2, 16, QLatin1Char('0'))
        .toUpper();
}

int HexValue(QChar c) {
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
        return c.unicode() - '0';
    if (c >= QLatin1Char('a') && c <= QLatin1Char('f'))
        return c.unicode() - 'a' + 10;
    if (c >= QLatin1Char('A') && c <= QLatin1Char('F'))
        return c.unicode() - 'A' + 10;
    return -1;
}

// The value of the two hexadecimal digits at the index, or -1.
int HexPair(const QString& digits, int at) {
    const int high = HexValue(digits.at(at));
    const int low = HexValue(digits.at(at + 1));
    return high < 0 || low < 0 ? -1 : high * 16 + low;
}

} // namespace

QString ColorToHtml(qint32 color) {
    const QColor resolved = color < 0 ? SystemColor(color & 0xFF) : ColorFromNumber(color);
    return QLatin1Char('#') + HexDigits(resolved);
}

RgbToHtml::RgbToHtml(QObject* parent) : QObject(parent) {}

void RgbToHtml::SetRgbColor(qint32 color) {
    rgbColor = color;
    htmlColor = HexDigits(color < 0 ? SystemColor(color & 0x7FFFFFFF) : ColorFromNumber(color));
}

void RgbToHtml::SetHtmlColor(const QString& digits) {
    if (digits.size() != 6)
        return;
    const int red = HexPair(digits, 0);
    const int green = HexPair(digits, 2);
    const int blue = HexPair(digits, 4);
    if (red < 0 || green < 0 || blue < 0)
        return;
    rgbColor = red + green * 256 + blue * 65536;
    htmlColor = digits;
}
