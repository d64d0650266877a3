#pragma once

#include <QString>
#include <QStringList>

// The type texts of the list styles, in the order the list form shows them.
QStringList NumberedListTypes(); // "default", "a", "A", "i", "I"
QStringList BulletListTypes();   // "disc", "circle", "square"

// An ordered list of empty items, every line followed by CR LF. The type
// "default" writes only the start.
QString NumberedListHtml(const QString& type, int start, int items);

// An unordered list of empty items, every line followed by CR LF.
QString BulletListHtml(const QString& type, int items);
