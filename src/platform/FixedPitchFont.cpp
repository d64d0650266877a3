#include "FixedPitchFont.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>

QString FixedPitchFamily(const QString& requested) {
    if (!requested.isEmpty() && QFontDatabase::hasFamily(requested))
        return requested;
    QFont font(requested);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    const QFontInfo drawn(font);
    if (drawn.fixedPitch())
        return drawn.family();
    return QFontInfo(QFontDatabase::systemFont(QFontDatabase::FixedFont)).family();
}
