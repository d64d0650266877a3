#include "ImageBrowser.h"

#include "FileListing.h"
#include "FileReferences.h"
#include "PictureReader.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QToolButton>
#include <QVBoxLayout>

#include <utility>

namespace {

QToolButton* MakeButton(QWidget* parent, const char* name, const QString& caption) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(caption);
    button->setToolTip(caption);
    button->setAutoRaise(true);
    return button;
}

} // namespace

PictureDisplay::PictureDisplay(QWidget* parent) : QScrollArea(parent), picture(new QLabel) {
    setObjectName(QStringLiteral("htmlLite1"));
    setAlignment(Qt::AlignCenter);
    setWidgetResizable(false);
    setFocusPolicy(Qt::StrongFocus);
    setBackgroundRole(QPalette::Base);
    picture->setObjectName(QStringLiteral("Picture"));
    picture->installEventFilter(this);
    setWidget(picture);
}

void PictureDisplay::Clear() {
    picture->clear();
    picture->resize(0, 0);
}

bool PictureDisplay::ShowFile(const QString& path) {
    const QImage image = ReadPicture(path);
    if (image.isNull()) {
        Clear();
        return false;
    }
    picture->setPixmap(QPixmap::fromImage(image));
    picture->resize(image.size());
    return true;
}

bool PictureDisplay::HasPicture() const {
    return !picture->pixmap().isNull();
}

bool PictureDisplay::eventFilter(QObject* watched, QEvent* event) {
    // A double click is one click to the user: the release that ends it
    // would toggle the view back.
    if (watched == picture && event->type() == QEvent::MouseButtonDblClick) {
        releaseEndsDoubleClick = true;
    } else if (watched == picture && event->type() == QEvent::MouseButtonRelease) {
        if (!std::exchange(releaseEndsDoubleClick, false))
            emit pictureClicked();
    }
    return QScrollArea::eventFilter(watched, event);
}

void PictureDisplay::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        emit escapePressed();
        return;
    }
    QScrollArea::keyPressEvent(event);
}

BrowserStatusBar::BrowserStatusBar(QWidget* parent) : StatusPanels({150, 66, 0}, parent) {
    setObjectName(QStringLiteral("StatusBar1"));
    SetPanelText(0, QStringLiteral("Press esc to close ..."));
    SetPanelAlignment(0, Qt::AlignHCenter);
}

ImageBrowserPanel::ImageBrowserPanel(QWidget* parent)
    : QFrame(parent), previous(MakeButton(this, "SpeedButton4", QStringLiteral("Previous Image"))),
      next(MakeButton(this, "SpeedButton5", QStringLiteral("Next Image"))),
      add(MakeButton(this, "SpeedButton6", QStringLiteral("Add to document"))),
      closeButton(MakeButton(this, "SpeedButton3", QStringLiteral("X"))),
      display(new PictureDisplay(this)), status(new BrowserStatusBar(this)) {
    setObjectName(QStringLiteral("Panel7"));
    setFrameShape(QFrame::Panel);
    setAutoFillBackground(true);
    closeButton->setToolTip(QStringLiteral("Close the image browser"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(2, 2, 2, 2);
    bar->addWidget(previous);
    bar->addWidget(next);
    bar->addWidget(add);
    bar->addStretch();
    bar->addWidget(closeButton);
    column->addLayout(bar);
    column->addWidget(display, 1);
    column->addWidget(status);
    previous->setEnabled(false);
    next->setEnabled(false);
    setViewText(QStringLiteral("Normal View"));

    connect(previous, &QToolButton::clicked, this, &ImageBrowserPanel::PreviousImage);
    connect(next, &QToolButton::clicked, this, &ImageBrowserPanel::NextImage);
    connect(add, &QToolButton::clicked, this, &ImageBrowserPanel::InsertPictureTag);
    connect(closeButton, &QToolButton::clicked, this, &ImageBrowserPanel::ClosePanel);
    connect(display, &PictureDisplay::pictureClicked, this, &ImageBrowserPanel::ToggleView);
    connect(display, &PictureDisplay::escapePressed, this, &QWidget::hide);
    // The panel covers its parent, whatever size the parent takes.
    parent->installEventFilter(this);
    hide();
}

bool ImageBrowserPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return QFrame::eventFilter(watched, event);
}

void ImageBrowserPanel::Reset(bool hidePanel) {
    if (hidePanel)
        hide();
    previous->setEnabled(false);
    next->setEnabled(false);
    display->Clear();
    pictures.clear();
}

void ImageBrowserPanel::AddPicture(const QString& path) {
    pictures << path;
}

void ImageBrowserPanel::Start() {
    if (pictures.isEmpty())
        return;
    next->setEnabled(pictures.size() > 1);
    position = 0;
    ShowPicture(pictures.constFirst());
}

void ImageBrowserPanel::ShowPicture(const QString& path) {
    if (!IsPictureFile(path))
        return;
    // A picture that cannot be read shows an empty display; the name still
    // says which one it is.
    display->ShowFile(path);
    setGeometry(parentWidget()->rect());
    show();
    raise();
    setViewText(QStringLiteral("Normal View"));
    status->SetPanelText(2, FileNameOnly(path));
    display->setFocus();
}

void ImageBrowserPanel::Toggle() {
    if (isVisible()) {
        hide();
        return;
    }
    setGeometry(parentWidget()->rect());
    show();
    raise();
    display->setFocus();
}

void ImageBrowserPanel::NextImage() {
    if (position + 1 >= pictures.size())
        return;
    ++position;
    next->setEnabled(position + 1 < pictures.size());
    previous->setEnabled(position >= 1);
    ShowPicture(pictures.at(position));
}

void ImageBrowserPanel::PreviousImage() {
    if (position < 1)
        return;
    --position;
    previous->setEnabled(position > 0);
    next->setEnabled(true);
    ShowPicture(pictures.at(position));
}

void ImageBrowserPanel::ToggleView() {
    if (!fileManager)
        return;
    fullView = fileManager->isVisible();
    fileManager->setVisible(!fullView);
    setViewText(fullView ? QStringLiteral("Fullscreen View") : QStringLiteral("Normal View"));
}

void ImageBrowserPanel::ClosePanel() {
    hide();
    if (fullView && fileManager) {
        fileManager->show();
        fullView = false;
    }
}

void ImageBrowserPanel::InsertPictureTag() {
    const QString name = status->PanelText(2);
    if (!name.isEmpty())
        emit insertRequested(BrowserPictureTag(name));
}

void ImageBrowserPanel::setViewText(const QString& text) {
    status->SetPanelText(1, text);
    // Six pixels a character fits a small bitmap font; wider fonts get the
    // room their text takes, so the view's name is never cut off.
    status->SetPanelWidth(
        1, qMax(6 * int(text.size()), status->fontMetrics().horizontalAdvance(text) + 8));
}
