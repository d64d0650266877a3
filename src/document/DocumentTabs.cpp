#include "DocumentTabs.h"

#include <QMouseEvent>

DocumentTab::DocumentTab(const QString& caption, TabStrip& strip)
    : QToolButton(&strip), strip(strip) {
    setObjectName(QStringLiteral("DocumentTab"));
    setCheckable(true);
    setAutoRaise(true);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::NoFocus);
    setToolButtonStyle(Qt::ToolButtonTextOnly);
    SetCaptionAndWidth(caption);
    SetFontColor(Qt::black);
    strip.Add(this);
}

DocumentTab::~DocumentTab() {
    strip.Remove(this);
}

void DocumentTab::SetCaption(const QString& caption) {
    setText(caption);
}

void DocumentTab::SetCaptionAndWidth(const QString& caption) {
    setText(caption);
    setFixedSize(int(caption.size()) * kPixelsPerCharacter, kHeight);
}

void DocumentTab::Press() {
    setChecked(true);
    strip.ReleaseAllBut(this);
}

void DocumentTab::SetFontColor(const QColor& color) {
    fontColor = color;
    QPalette colors = palette();
    colors.setColor(QPalette::ButtonText, color);
    colors.setColor(QPalette::WindowText, color);
    setPalette(colors);
}

TabStrip::TabStrip(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ToolBar1"));
    setFixedSize(0, kHeight);
}

void TabStrip::SetStripWidth(int width) {
    setFixedSize(qMax(0, width), kHeight);
    layoutTabs();
}

void TabStrip::Add(DocumentTab* tab) {
    tabs.append(tab);
    SetStripWidth(width() + tab->width());
    tab->show();
}

void TabStrip::Remove(DocumentTab* tab) {
    if (!tabs.removeOne(tab))
        return;
    SetStripWidth(width() - int(tab->Caption().size()) * DocumentTab::kPixelsPerCharacter);
}

void TabStrip::ReleaseAllBut(const DocumentTab* tab) {
    for (DocumentTab* other : std::as_const(tabs)) {
        if (other != tab)
            other->setChecked(false);
    }
}

void TabStrip::layoutTabs() {
    int left = 0;
    for (DocumentTab* tab : std::as_const(tabs)) {
        tab->move(left, (kHeight - DocumentTab::kHeight) / 2);
        left += tab->width();
    }
}

void TabStrip::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton)
        emit menuRequested(event->position().toPoint());
    QWidget::mousePressEvent(event);
}
