#include "TfProgress.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

TfProgress::TfProgress(const QString& fileName, std::function<int()> progress, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint),
      panel(new QLabel(this)), bar(new QProgressBar(this)), timer(new QTimer(this)) {
    setObjectName(QStringLiteral("fProgress"));
    setWindowTitle(QStringLiteral("progress ...."));
    setAttribute(Qt::WA_DeleteOnClose, false);
    panel->setObjectName(QStringLiteral("Panel1"));
    QFont bold = panel->font();
    bold.setBold(true);
    panel->setFont(bold);
    panel->setAlignment(Qt::AlignCenter);
    bar->setObjectName(QStringLiteral("ProgressBar1"));
    bar->setRange(0, 100);
    bar->setValue(0);
    auto* column = new QVBoxLayout(this);
    column->addWidget(panel);
    column->addWidget(bar);
    setFixedSize(420, 90);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    SetText(QStringLiteral("Importing document : ") + fileName +
            QStringLiteral(" one moment please ..."));
    timer->setObjectName(QStringLiteral("Timer1"));
    timer->setInterval(1000);
    connect(timer, &QTimer::timeout, this,
            [this, progress = std::move(progress)] { bar->setValue(qBound(0, progress(), 100)); });
    timer->start();
}

void TfProgress::SetText(const QString& text) {
    panel->setText(text);
}

QString TfProgress::Text() const {
    return panel->text();
}

int TfProgress::Position() const {
    return bar->value();
}

void TfProgress::closeEvent(QCloseEvent* event) {
    timer->stop();
    QWidget::closeEvent(event);
}
