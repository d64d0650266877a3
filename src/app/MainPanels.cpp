#include "MainPanels.h"

#include "Pictures.h"

#include <QPainter>
#include <QScrollBar>
#include <QToolButton>

namespace {

QToolButton* MakeSmallButton(QWidget* parent, const QString& name) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setAutoRaise(true);
    button->setIcon(ToolbarIcon(name));
    button->setIconSize(QSize(12, 12));
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

FileManagerStrip::FileManagerStrip(QWidget* parent)
    : QFrame(parent), button(MakeSmallButton(this, QStringLiteral("SpeedButton2"))) {
    setObjectName(QStringLiteral("Panel3"));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setFixedWidth(kWidth);
    button->setGeometry(2, 2, kWidth - 4, kWidth - 4);
}

void FileManagerStrip::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    QFont font(QStringLiteral("Verdana"));
    font.setPointSize(8);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(palette().color(QPalette::WindowText));
    // Written upwards; the end of the word stays 5 pixels above the bottom.
    const QFontMetrics metrics(font);
    painter.translate((width() + metrics.ascent() - metrics.descent()) / 2, height() - 5);
    painter.rotate(-90);
    painter.drawText(0, 0, QStringLiteral("Filemanager"));
}

FileManagerPanel::FileManagerPanel(QWidget* parent)
    : QFrame(parent), captionStrip(new FileManagerStrip(this)), contentArea(new QWidget(this)) {
    setObjectName(QStringLiteral("Panel2"));
    setMinimumWidth(0);
}

void FileManagerPanel::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    const int stripLeft = width() - FileManagerStrip::kWidth;
    captionStrip->setGeometry(stripLeft, 0, FileManagerStrip::kWidth, height());
    contentArea->setGeometry(0, 0, qMax(0, stripLeft), height());
}

ColorBarPanel::ColorBarPanel(QWidget* parent)
    : QFrame(parent), button(MakeSmallButton(this, QStringLiteral("SpeedButton26"))),
      picker(new GammaPanel(this)), foregroundTarget(new ColorSwatch(this)),
      backgroundTarget(new ColorSwatch(this)) {
    setObjectName(QStringLiteral("Panel11"));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setFixedWidth(kWidth);
    button->setFixedSize(50, 19);
    picker->move(-5, -5);
    const QString hint = QStringLiteral("Click on the color to add it to your document");
    foregroundTarget->setObjectName(QStringLiteral("ForegroundTarget"));
    foregroundTarget->setGeometry(5, 115, 25, 25);
    foregroundTarget->setToolTip(hint);
    backgroundTarget->setObjectName(QStringLiteral("BackgroundTarget"));
    backgroundTarget->setGeometry(25, 130, 25, 25);
    backgroundTarget->setToolTip(hint);
    // Like the picker's own swatches, the foreground lies on top.
    backgroundTarget->raise();
    foregroundTarget->raise();
    button->raise();
    connect(picker, &GammaPanel::OnChangeColor, this, [this](qint32 foreground, qint32 background) {
        foregroundTarget->SetColor(foreground);
        backgroundTarget->SetColor(background);
    });
    PaintTargets();
}

void ColorBarPanel::PaintTargets() {
    foregroundTarget->SetColor(picker->ForegroundColor());
    backgroundTarget->SetColor(picker->BackgroundColor());
}

void ColorBarPanel::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    button->move((width() - button->width()) / 2, height() - button->height() - 2);
}

FileTabsBar::FileTabsBar(TabStrip* strip, QWidget* parent) : QScrollArea(parent), tabStrip(strip) {
    setObjectName(QStringLiteral("ScrollBox1"));
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    horizontalScrollBar()->setSingleStep(68);
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(false);
    setWidget(strip);
    setFixedHeight(strip->height());
}

void FileTabsBar::applyHeightRule() {
    const int stripWidth = tabStrip->width();
    if (stripWidth > width())
        setFixedHeight(kWideHeight);
    else if (stripWidth < width())
        setFixedHeight(kNarrowHeight);
}

void FileTabsBar::resizeEvent(QResizeEvent* event) {
    QScrollArea::resizeEvent(event);
    applyHeightRule();
}
