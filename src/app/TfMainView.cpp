// What the main window shows: its caption, the file manager, colour bar and
// file tabs bar shown and hidden, and the document windows arranged.

#include "TfMain.h"

#include "ErrorReport.h"
#include "MainPanels.h"
#include "SettingsStore.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QSplitter>

// Like an MDI frame: while a child window is maximised, the frame's caption
// names it.
void TfMain::updateTitle() {
    QString title = QStringLiteral("Quillon - Vantrel");
    QMdiSubWindow* sub = mdiArea->activeSubWindow();
    if (sub && sub->isMaximized() && sub->widget())
        title += QStringLiteral(" - [") + sub->widget()->windowTitle() + QLatin1Char(']');
    setWindowTitle(title);
}

void TfMain::SetFileManagerWidth(int width) {
    // A panel narrower than 30 pixels collapses to a 20-pixel strip.
    fileManagerWidth = width < 30 ? 20 : width;
    const int total = splitter->width() > 0 ? splitter->width() : this->width();
    splitter->setSizes({fileManagerWidth, qMax(1, total - fileManagerWidth)});
}

void TfMain::keepFileManagerWidth() {
    if (!fileManager->isVisible())
        return;
    const int width = splitter->sizes().value(0);
    if (width < 30)
        SetFileManagerWidth(width);
    else
        fileManagerWidth = width;
}

void TfMain::ShowFileTabs() {
    tabsBar->show();
    tabsBar->applyHeightRule();
    action(QStringLiteral("FileTabs1"))->setEnabled(false);
    Settings().WriteFlag(QStringLiteral("ToolBars"), QStringLiteral("FileTabs"), true);
}

void TfMain::HideFileTabs() {
    tabsBar->hide();
    action(QStringLiteral("FileTabs1"))->setEnabled(true);
    Settings().WriteFlag(QStringLiteral("ToolBars"), QStringLiteral("FileTabs"), false);
}

void TfMain::ShowColorBar() {
    colorBar->show();
    action(QStringLiteral("ColorBar1"))->setEnabled(false);
    Settings().WriteFlag(QStringLiteral("ToolBars"), QStringLiteral("ColorBar1"), true);
}

void TfMain::HideColorBar() {
    colorBar->hide();
    action(QStringLiteral("ColorBar1"))->setEnabled(true);
    Settings().WriteFlag(QStringLiteral("ToolBars"), QStringLiteral("ColorBar1"), false);
}

void TfMain::ToggleFileManager() {
    const bool show = !fileManager->isVisible();
    fileManager->setVisible(show);
    if (show)
        SetFileManagerWidth(fileManagerWidth);
    Settings().WriteFlag(QStringLiteral("ToolBars"), QStringLiteral("FileManager"), show);
}

void TfMain::HideFileManager() {
    fileManager->hide();
    Settings().WriteFlag(QStringLiteral("ToolBars"), QStringLiteral("FileManager"), false);
}

void TfMain::showTabStripMenu(const QPoint& position) {
    QMenu menu(this);
    const std::pair<const char*, const char*> entries[] = {{"Close Document", "Close1"},
                                                           {"Close All Documents", "CloseAll1"},
                                                           {"Preview Document", "Previewsite1"}};
    for (const auto& [caption, target] : entries) {
        QAction* routed = action(QString::fromLatin1(target));
        QAction* entry = menu.addAction(QString::fromLatin1(caption), routed, &QAction::trigger);
        entry->setEnabled(routed->isEnabled());
    }
    menu.addAction(QStringLiteral("Hide File Tabs Bar"), this,
                   [this] { RunReported([this] { HideFileTabs(); }); });
    menu.exec(tabStrip->mapToGlobal(position));
}

void TfMain::ArrangeIcons() {
    int x = 0;
    for (QMdiSubWindow* sub : mdiArea->subWindowList(QMdiArea::CreationOrder)) {
        if (!sub->isMinimized())
            continue;
        sub->move(x, mdiArea->viewport()->height() - sub->height());
        x += sub->width();
    }
}

void TfMain::TileVertical() {
    Tile(Qt::Horizontal);
}

void TfMain::TileHorizontal() {
    Tile(Qt::Vertical);
}

void TfMain::Tile(Qt::Orientation direction) {
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* sub : mdiArea->subWindowList(QMdiArea::CreationOrder)) {
        if (!sub->isMinimized())
            windows << sub;
    }
    if (windows.isEmpty())
        return;
    const QRect area = mdiArea->viewport()->rect();
    const int count = int(windows.size());
    for (int i = 0; i < count; ++i) {
        windows[i]->showNormal();
        if (direction == Qt::Horizontal) {
            const int width = area.width() / count;
            windows[i]->setGeometry(i * width, 0, width, area.height());
        } else {
            const int height = area.height() / count;
            windows[i]->setGeometry(0, i * height, area.width(), height);
        }
    }
}
