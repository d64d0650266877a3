#include "Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

QString ClipboardText() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
    if (!data || !data->hasText())
        return {};
    return data->text();
}

void SetClipboardText(const QString& text) {
    QGuiApplication::clipboard()->setText(text, QClipboard::Clipboard);
}
