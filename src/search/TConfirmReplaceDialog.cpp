#include "TConfirmReplaceDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <QWindow>

namespace {

constexpr int kGap = 4;

} // namespace

TConfirmReplaceDialog::TConfirmReplaceDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ConfirmReplaceDialog"));
    setWindowTitle(QStringLiteral("Confirm replace"));

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("QuestionIcon"));
    const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(
        style()->standardIcon(QStyle::SP_MessageBoxQuestion, nullptr, this).pixmap(size));
    icon->setAlignment(Qt::AlignTop);
    question = new QLabel(this);
    question->setObjectName(QStringLiteral("QuestionText"));
    question->setWordWrap(true);
    question->setTextFormat(Qt::PlainText);
    question->setMinimumWidth(260);
    auto* message = new QHBoxLayout;
    message->addWidget(icon);
    message->addWidget(question, 1);

    auto* buttons = new QHBoxLayout;
    struct Entry {
        const char* name;
        const char* caption;
        Answer answer;
    };
    const Entry entries[] = {{"YesButton", "&Yes", Yes},
                             {"NoButton", "&No", No},
                             {"CancelButton", "Cancel", Cancel},
                             {"YesToAllButton", "Yes to &all", YesToAll}};
    for (const Entry& entry : entries) {
        auto* button = new QPushButton(QString::fromLatin1(entry.caption), this);
        button->setObjectName(QString::fromLatin1(entry.name));
        const Answer answer = entry.answer;
        connect(button, &QPushButton::clicked, this, [this, answer] { done(answer); });
        if (answer == Yes) {
            button->setDefault(true);
            button->setFocus();
        }
        buttons->addWidget(button);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(message);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TConfirmReplaceDialog::SetSearchText(const QString& text) {
    question->setText(QStringLiteral("Replace this occurence of \"%1\"?").arg(text));
    adjustSize();
}

void TConfirmReplaceDialog::SetQuestion(const QString& text) {
    question->setText(text);
    adjustSize();
}

void TConfirmReplaceDialog::PlaceBeside(const QRect& area, int matchLeft, int lineTop,
                                        int lineBottom) {
    this->area = area;
    this->matchLeft = matchLeft;
    this->lineTop = lineTop;
    this->lineBottom = lineBottom;
    placed = true;
    adjustSize();
    place();
}

QMargins TConfirmReplaceDialog::currentFrame() const {
    if (QWindow* own = windowHandle(); own && own->isVisible() && !own->frameMargins().isNull())
        return own->frameMargins();
    if (QWidget* owner = parentWidget()) {
        if (QWindow* framed = owner->window()->windowHandle())
            return framed->frameMargins();
    }
    return {};
}

void TConfirmReplaceDialog::place() {
    placedFrame = currentFrame();
    move(ConfirmReplacePosition(area, size(), placedFrame, matchLeft, lineTop, lineBottom));
}

bool TConfirmReplaceDialog::event(QEvent* event) {
    const bool handled = QDialog::event(event);
    // The window manager reports the frame after the window is mapped; once
    // it differs from the one placed with, the window is placed again.
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Move:
    case QEvent::Resize:
        if (placed && currentFrame() != placedFrame)
            place();
        break;
    default:
        break;
    }
    return handled;
}

QPoint ConfirmReplacePosition(const QRect& area, const QSize& window, const QMargins& frame,
                              int matchLeft, int lineTop, int lineBottom) {
    const QSize outer = window.grownBy(frame);
    int left = 0;
    if (area.width() <= outer.width())
        left = area.left() - (outer.width() - area.width()) / 2;
    else
        left = qMin(matchLeft, area.left() + area.width() - outer.width());
    const int lowestThird = area.top() + qRound(area.height() * 2.0 / 3.0);
    const int top = lineBottom > lowestThird ? lineTop - outer.height() - kGap : lineBottom + kGap;
    return {left, top};
}
