#pragma once

// What the benchmarks share: painting a widget now and writing a document.

#include <QApplication>
#include <QFile>
#include <QWidget>

#include <string>

namespace bench {

// Paints the widget now, as the screen would show it.
inline void Paint(QWidget& widget) {
    widget.repaint();
    QApplication::processEvents();
}

inline bool WriteFile(const QString& path, const std::string& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) &&
           file.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size());
}

} // namespace bench
