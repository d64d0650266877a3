#include "SystemColors.h"

#include <QGuiApplication>
#include <QPalette>

namespace {

struct RoleOf {
    int index;
    QPalette::ColorRole role;
    QPalette::ColorGroup group = QPalette::Active;
};

const RoleOf kRoles[] = {
    {0, QPalette::Button},
    {1, QPalette::Dark},
    {2, QPalette::Highlight},
    {3, QPalette::Midlight},
    {4, QPalette::Window},
    {5, QPalette::Base},
    {6, QPalette::Shadow},
    {7, QPalette::WindowText},
    {8, QPalette::Text},
    {9, QPalette::HighlightedText},
    {10, QPalette::Window},
    {11, QPalette::Window},
    {12, QPalette::Mid},
    {13, QPalette::Highlight},
    {14, QPalette::HighlightedText},
    {15, QPalette::Button},
    {16, QPalette::Dark},
    {17, QPalette::Text, QPalette::Disabled},
    {18, QPalette::ButtonText},
    {19, QPalette::WindowText, QPalette::Disabled},
    {20, QPalette::Light},
    {21, QPalette::Shadow},
    {22, QPalette::Midlight},
    {23, QPalette::ToolTipText},
    {24, QPalette::ToolTipBase},
    {26, QPalette::Link},
    {27, QPalette::Highlight},
    {28, QPalette::Midlight},
    {29, QPalette::Highlight},
    {30, QPalette::Window},
};

} // namespace

QColor SystemColor(int index) {
    const QPalette palette = QGuiApplication::palette();
    for (const RoleOf& entry : kRoles) {
        if (entry.index == index)
            return palette.color(entry.group, entry.role);
    }
    return palette.color(QPalette::Window);
}

QColor ColorFromNumber(qint32 number) {
    if (number < 0)
        return SystemColor(number & 0xFF);
    return QColor(number & 0xFF, (number >> 8) & 0xFF, (number >> 16) & 0xFF);
}

qint32 ColorNumber(const QColor& color) {
    return qint32(color.red()) | (qint32(color.green()) << 8) | (qint32(color.blue()) << 16);
}
