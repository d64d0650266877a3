#include "Pictures.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>

// The resources are compiled into a static library, where nothing else would
// keep them linked in.
static void LoadPictureResources() {
    static const bool loaded = [] {
        Q_INIT_RESOURCE(quillon);
        return true;
    }();
    Q_UNUSED(loaded);
}

namespace {

// A picture of resources/pictures, the double-density file on screens that
// want it.
QPixmap Picture(const QString& name) {
    LoadPictureResources();
    const bool dense = qGuiApp && qGuiApp->devicePixelRatio() > 1;
    QPixmap pixmap(QStringLiteral(":/pictures/") + name +
                   (dense ? QStringLiteral("@2x.png") : QStringLiteral(".png")));
    if (dense)
        pixmap.setDevicePixelRatio(2);
    return pixmap;
}

} // namespace

const QHash<QString, QString>& ToolbarIconFiles() {
    static const QHash<QString, QString> files = [] {
        const std::pair<const char*, const char*> names[] = {
            {"ToolButton1", "new"},
            {"ToolButton2", "open"},
            {"ToolButton3", "save"},
            {"ToolButton4", "close"},
            {"ToolButton6", "copy"},
            {"ToolButton7", "paste"},
            {"ToolButton9", "cut"},
            {"ToolButton21", "undo"},
            {"ToolButton22", "redo"},
            {"ToolButton23", "image-browser"},
            {"ToolButton14", "preview"},
            {"ToolButton12", "browser"},
            {"ToolButton13", "configuration"},
            {"ToolButton29", "snippets"},
            {"ToolButton15", "ftp"},
            {"ToolButton20", "help"},
            {"ToolButton46", "bold"},
            {"ToolButton47", "italic"},
            {"ToolButton48", "underline"},
            {"ToolButton60", "text-format"},
            {"ToolButton55", "align-left"},
            {"ToolButton56", "align-center"},
            {"ToolButton57", "align-right"},
            {"ToolButton50", "numbered-list"},
            {"ToolButton51", "bulleted-list"},
            {"ToolButton53", "paragraph"},
            {"ToolButton25", "heading"},
            {"ToolButton26", "line-break"},
            {"ToolButton27", "horizontal-rule"},
            {"ToolButton59", "table"},
            {"ToolButton30", "date-time"},
            {"ToolButton32", "last-updated"},
            {"ToolButton31", "alert-box"},
            {"SpeedButton2", "hide-file-manager"},
            {"SpeedButton26", "hide-colour-bar"},
            {"SpeedButton3", "close-small"},
        };
        QHash<QString, QString> table;
        for (const auto& [button, file] : names)
            table.insert(QString::fromLatin1(button), QStringLiteral(":/icons/") +
                                                          QString::fromLatin1(file) +
                                                          QStringLiteral(".svg"));
        return table;
    }();
    return files;
}

QIcon ToolbarIcon(const QString& buttonName) {
    const QString file = ToolbarIconFiles().value(buttonName);
    if (file.isEmpty())
        return QIcon();
    LoadPictureResources();
    return QIcon(file);
}

QPixmap SplashPicture(const QString& versionText) {
    QPixmap pixmap = Picture(QStringLiteral("splash"));
    // The version is written at run time, so the picture never shows an old one.
    QPainter p(&pixmap);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(12);
    p.setFont(font);
    p.setPen(QColor(255, 255, 255, 200));
    const QString text = QStringLiteral("Version ") + versionText.section(QLatin1Char(' '), 0, 0);
    const qreal right = pixmap.deviceIndependentSize().width() - 24;
    p.drawText(QPointF(right - QFontMetricsF(font).horizontalAdvance(text), 257), text);
    return pixmap;
}

QPixmap AboutPicture() {
    return Picture(QStringLiteral("about"));
}

QIcon ApplicationIcon() {
    LoadPictureResources();
    return QIcon(QStringLiteral(":/icons/quillon.svg"));
}
