#include "TfAbout.h"

#include "Language.h"
#include "Pictures.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

TfAbout::TfAbout(const QString& versionText, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fAbout"));
    setWindowTitle(QStringLiteral("About"));
    auto* layout = new QVBoxLayout(this);
    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(AboutPicture());
    picture->setAlignment(Qt::AlignCenter);
    layout->addWidget(picture);

    auto* versionRow = new QHBoxLayout;
    auto* caption = new QLabel(QStringLiteral("Version :"), this);
    caption->setObjectName(QStringLiteral("Label1"));
    auto* version = new QLabel(versionText, this);
    version->setObjectName(QStringLiteral("Version"));
    version->setTextInteractionFlags(Qt::TextSelectableByMouse);
    versionRow->addWidget(caption);
    versionRow->addWidget(version, 1);
    layout->addLayout(versionRow);
    auto* license = new QLabel(LangText(QStringLiteral("AboutLicense")), this);
    license->setObjectName(QStringLiteral("License"));
    layout->addWidget(license);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

TfSplash::TfSplash(const QString& versionText, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("fSplash"));
    setFixedSize(kWidth, kHeight);
    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(SplashPicture(versionText));
    picture->setGeometry(0, 0, kWidth, kHeight);
}

void TfSplash::showNow() {
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    show();
    repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
