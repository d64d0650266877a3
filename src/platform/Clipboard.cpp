#include "Clipboard.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMimeData>

QString ClipboardText() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
    if (!data || !data->hasText())
        return {};
    return data->text();
}

QString ClipboardTextFromOtherProgram(int timeoutMs) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    QElapsedTimer waited;
    waited.start();
    while (clipboard->ownsClipboard() && waited.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return clipboard->ownsClipboard() ? QString() : ClipboardText();
}

void SetClipboardText(const QString& text) {
    QGuiApplication::clipboard()->setText(text, QClipboard::Clipboard);
}
