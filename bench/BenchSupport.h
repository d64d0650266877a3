#pragma once

// What the benchmarks share: painting a widget now and writing a document.

#include <QApplication>
#include <QFile>
#include <QWidget>

#include <fstream>
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

// A figure of the process's memory from /proc/self/status, in megabytes:
// "VmRSS" (resident now) or "VmHWM" (the peak resident size).
inline double StatusMegabytes(const char* field) {
    std::ifstream status("/proc/self/status");
    const std::string prefix = std::string(field) + ":";
    for (std::string line; std::getline(status, line);) {
        if (line.rfind(prefix, 0) == 0)
            return std::stod(line.substr(prefix.size())) / 1024.0;
    }
    return -1;
}

// Starts the peak resident size afresh from the present one.
inline void ResetPeakMemory() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

} // namespace bench
