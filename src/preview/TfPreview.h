#pragma once

#include "MdiChildWindow.h"

class PreviewEngine;
class PreviewPage;
class QAbstractButton;
class StatusPanels;

// The preview window: a strip with a refresh button and "Close", the web
// engine's view of the temporary file, and a status bar of one panel. Its
// caption is the file's full path; the file is deleted when the window
// closes or is destroyed, whichever comes first.
class TfPreview : public MdiChildWindow {
    Q_OBJECT
public:
    static constexpr int kDesignWidth = 615;
    static constexpr int kDesignHeight = 496;
    static constexpr int kStripHeight = 22;
    // "Close" keeps this distance from the strip's right edge.
    static constexpr int kCloseMargin = 2;

    TfPreview(const QString& file, PreviewEngine& engine, QWidget* parent = nullptr);
    ~TfPreview() override;

    QString File() const { return windowTitle(); }
    PreviewPage* Page() const { return page; }
    StatusPanels* StatusBar() const { return statusBar; }
    QAbstractButton* RefreshButton() const { return refreshButton; }
    QAbstractButton* CloseButton() const { return closeButton; }
    QWidget* Strip() const { return strip; }
    // Whether the window has closed and its file is gone.
    bool Released() const { return releasedOnce; }

    // Shows the file; the window's caption is its path.
    void Navigate();
    // Loads the page again from the file as it is (the file is not
    // rewritten), scrolled to where it was.
    void Refresh();

signals:
    // The file is gone and the window is about to be freed.
    void released(TfPreview* preview);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void release();
    void showStatus();

    QWidget* strip;
    QAbstractButton* refreshButton;
    QAbstractButton* closeButton;
    PreviewPage* page;
    StatusPanels* statusBar;
    QString hoveredLink;
    QString loadState;
    bool releasedOnce = false;
};
