#include "TfPreview.h"

#include "PreviewEngine.h"
#include "StatusPanels.h"

#include <QCloseEvent>
#include <QFile>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The strip keeps "Close" at its right edge on every resize.
class ButtonStrip : public QWidget {
public:
    using QWidget::QWidget;
    QWidget* rightButton = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        if (rightButton)
            rightButton->move(width() - rightButton->width() - TfPreview::kCloseMargin, 0);
    }
};

} // namespace

TfPreview::TfPreview(const QString& file, PreviewEngine& engine, QWidget* parent)
    : MdiChildWindow(parent) {
    setObjectName(QStringLiteral("fPreview"));
    setWindowTitle(file);
    resize(kDesignWidth, kDesignHeight);

    auto* buttons = new ButtonStrip(this);
    strip = buttons;
    strip->setObjectName(QStringLiteral("Panel1"));
    strip->setFixedHeight(kStripHeight);
    auto* refresh = new QToolButton(strip);
    refresh->setObjectName(QStringLiteral("SpeedButton1"));
    refresh->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
    refresh->setAutoRaise(true);
    refresh->setToolTip(QStringLiteral("Refresh document"));
    refresh->setGeometry(0, 0, kStripHeight, kStripHeight);
    refreshButton = refresh;
    auto* close = new QPushButton(QStringLiteral("Close"), strip);
    close->setObjectName(QStringLiteral("Button1"));
    close->setToolTip(QStringLiteral("Close preview window"));
    close->resize(75, kStripHeight);
    closeButton = close;
    buttons->rightButton = close;

    statusBar = new StatusPanels({kDesignWidth}, this);
    statusBar->setObjectName(QStringLiteral("StatusBar1"));
    page = engine.CreatePage(this, {.linkHovered =
                                        [this](const QString& url) {
                                            hoveredLink = url;
                                            showStatus();
                                        },
                                    .loadStarted =
                                        [this](const QString& url) {
                                            loadState = QStringLiteral("Opening page ") + url;
                                            showStatus();
                                        },
                                    .loadFinished =
                                        [this](bool ok) {
                                            loadState =
                                                ok ? QStringLiteral("Done")
                                                   : QStringLiteral("Cannot open ") + File();
                                            showStatus();
                                        }});

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(strip);
    layout->addWidget(page->Widget(), 1);
    layout->addWidget(statusBar);

    connect(refresh, &QToolButton::clicked, this, &TfPreview::Refresh);
    connect(close, &QPushButton::clicked, this, [this] {
        // The frame around the window closes with it.
        if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
            sub->close();
        else
            this->close();
    });
}

TfPreview::~TfPreview() {
    release();
}

void TfPreview::Navigate() {
    page->Navigate(File());
}

void TfPreview::Refresh() {
    page->Reload();
}

void TfPreview::closeEvent(QCloseEvent* event) {
    event->accept();
    release();
}

void TfPreview::release() {
    if (releasedOnce)
        return;
    releasedOnce = true;
    QFile::remove(File());
    emit released(this);
}

void TfPreview::showStatus() {
    statusBar->SetPanelText(0, hoveredLink.isEmpty() ? loadState : hoveredLink);
}
