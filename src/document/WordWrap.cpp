#include "WordWrap.h"

#include <QTextLayout>
#include <QTextOption>

namespace {
constexpr int kMaxLineRead = 4095;
}

QFont WrapFont(const QString& family) {
    QFont font(family);
    font.setPointSize(8);
    return font;
}

QStringList WrapLines(const QStringList& lines, const QFont& font, int width) {
    QStringList result;
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    for (const QString& paragraph : lines) {
        if (paragraph.isEmpty()) {
            result << QString();
            continue;
        }
        QTextLayout layout(paragraph, font);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            result << paragraph.mid(line.textStart(), qMin(line.textLength(), kMaxLineRead));
        }
        layout.endLayout();
    }
    return result;
}
