#pragma once

#include <QString>

// The background colour that adds no BGColor attribute: white.
inline constexpr qint32 kPlainTableBackground = 0x00FFFFFF;

// What the table creator builds. Texts are written as given.
struct TableOptions {
    QString alignment = QStringLiteral("Right");
    QString width = QStringLiteral("100%");
    bool border = false;
    QString borderSize; // only written with a border
    qint32 borderColor = 0;
    qint32 background = kPlainTableBackground;
    int cellPadding = 5;
    int cellSpacing = 0;
    int rows = 1;
    int columns = 1;
};

// The opening table tag, without a line break.
QString TableOpeningTag(const TableOptions& options);

// The whole table, every line followed by CR LF: the opening tag, each row
// with its cells, and the closing tag. Fewer than one row still gives one
// row; fewer than one column gives rows without cells.
QString TableHtml(const TableOptions& options);
