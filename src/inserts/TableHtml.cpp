#include "TableHtml.h"

#include "RgbToHtml.h"

#include <QStringList>

QString TableOpeningTag(const TableOptions& options) {
    QString background;
    if (options.background != kPlainTableBackground)
        background =
            QStringLiteral("BGColor=") + ColorToHtml(options.background) + QLatin1Char(' ');
    QString tag = QStringLiteral("<table align=") + options.alignment + QStringLiteral(" width=") +
                  options.width + QLatin1Char(' ') + background;
    if (options.border)
        tag += QStringLiteral(" border=") + options.borderSize + QStringLiteral(" bordercolor=") +
               ColorToHtml(options.borderColor);
    else
        tag += QStringLiteral(" border=0");
    return tag + QStringLiteral(" cellpadding=") + QString::number(options.cellPadding) +
           QStringLiteral(" cellspacing=") + QString::number(options.cellSpacing) +
           QLatin1Char('>');
}

QString TableHtml(const TableOptions& options) {
    const QString lineEnd = QStringLiteral("\r\n");
    const QString row = QStringLiteral("<tr>") + lineEnd +
                        QStringLiteral("   <td>   </td>\r\n").repeated(qMax(options.columns, 0)) +
                        QStringLiteral("</tr>") + lineEnd;
    return TableOpeningTag(options) + lineEnd + row.repeated(qMax(options.rows, 1)) +
           QStringLiteral("</table>") + lineEnd;
}
