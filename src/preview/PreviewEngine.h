#pragma once

#include <QString>
#include <QtPlugin>

#include <functional>

class QWidget;

// The browser view inside a preview window. It comes from the web engine
// module (built from engine/), which the program loads only when the first
// preview opens, so that nothing else pays for the engine.
class PreviewPage {
public:
    // What the view reports; every callback is optional.
    struct Events {
        // The link under the pointer; empty when the pointer leaves it.
        std::function<void(const QString& url)> linkHovered;
        std::function<void(const QString& url)> loadStarted;
        std::function<void(bool ok)> loadFinished;
    };

    virtual ~PreviewPage() = default;

    // The view itself, a child of the parent it was created in.
    virtual QWidget* Widget() = 0;
    // Shows the local file at path.
    virtual void Navigate(const QString& path) = 0;
    // Loads the shown page again, as it is now on disk, keeping the place it
    // is scrolled to.
    virtual void Reload() = 0;
};

// The web engine module's entry point.
class PreviewEngine {
public:
    virtual ~PreviewEngine() = default;

    // A new view inside parent, which owns it.
    virtual PreviewPage* CreatePage(QWidget* parent, PreviewPage::Events events) = 0;
};

#define QUILLON_PREVIEW_ENGINE_IID "org.quillon.PreviewEngine/1.0"
Q_DECLARE_INTERFACE(PreviewEngine, QUILLON_PREVIEW_ENGINE_IID)
