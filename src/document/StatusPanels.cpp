#include "StatusPanels.h"

#include <QPainter>

StatusPanels::StatusPanels(const QList<int>& panelWidths, QWidget* parent)
    : QWidget(parent), widths(panelWidths) {
    for (qsizetype i = 0; i < widths.size(); ++i) {
        texts << QString();
        alignments << Qt::AlignLeft;
    }
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void StatusPanels::SetPanelText(int panel, const QString& text) {
    if (panel < 0 || panel >= texts.size() || texts[panel] == text)
        return;
    texts[panel] = text;
    update(PanelRect(panel));
}

void StatusPanels::SetPanelWidth(int panel, int width) {
    if (panel < 0 || panel >= widths.size() || widths[panel] == width)
        return;
    widths[panel] = width;
    update();
}

void StatusPanels::SetPanelAlignment(int panel, Qt::Alignment horizontal) {
    if (panel < 0 || panel >= alignments.size())
        return;
    alignments[panel] = horizontal;
    update(PanelRect(panel));
}

QRect StatusPanels::PanelRect(int panel) const {
    int left = 0;
    for (int i = 0; i < panel; ++i)
        left += widths[i];
    const int width = panel == widths.size() - 1 ? qMax(0, this->width() - left) : widths[panel];
    return QRect(left, 0, width, height());
}

QSize StatusPanels::sizeHint() const {
    return QSize(200, fontMetrics().height() + 6);
}

void StatusPanels::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    for (int panel = 0; panel < widths.size(); ++panel) {
        const QRect area = PanelRect(panel).adjusted(0, 1, -1, -1);
        if (area.width() <= 0)
            continue;
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawLine(area.topLeft(), area.topRight());
        painter.drawLine(area.topLeft(), area.bottomLeft());
        painter.setPen(palette().color(QPalette::Light));
        painter.drawLine(area.bottomLeft(), area.bottomRight());
        painter.drawLine(area.topRight(), area.bottomRight());
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(area.adjusted(2, 0, 0, 0), Qt::AlignVCenter | alignments[panel],
                         texts[panel]);
    }
}
