// The web engine module: the preview window's browser view is Qt WebEngine's.
// The program loads this module when the first preview opens; nothing else in
// the program includes a web engine header.

#include "PreviewEngine.h"

#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace {

class WebEnginePage : public QWebEngineView, public PreviewPage {
public:
    WebEnginePage(QWidget* parent, PreviewPage::Events events)
        : QWebEngineView(parent), events(std::move(events)) {
        setObjectName(QStringLiteral("WebBrowser1"));
        // The page plays its videos and background sounds as it would on the web.
        settings()->setAttribute(QWebEngineSettings::PlaybackRequiresUserGesture, false);
        settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
        connect(page(), &QWebEnginePage::linkHovered, this, [this](const QString& url) {
            if (this->events.linkHovered)
                this->events.linkHovered(url);
        });
        connect(this, &QWebEngineView::loadStarted, this, [this] {
            if (this->events.loadStarted)
                this->events.loadStarted(url().toString());
        });
        connect(this, &QWebEngineView::loadFinished, this, [this](bool ok) {
            if (this->events.loadFinished)
                this->events.loadFinished(ok);
        });
    }

    QWidget* Widget() override { return this; }
    void Navigate(const QString& path) override { load(QUrl::fromLocalFile(path)); }
    void Reload() override { reload(); }

private:
    PreviewPage::Events events;
};

} // namespace

class WebEnginePreview : public QObject, public PreviewEngine {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.quillon.PreviewEngine/1.0")
    Q_INTERFACES(PreviewEngine)
public:
    PreviewPage* CreatePage(QWidget* parent, PreviewPage::Events events) override {
        return new WebEnginePage(parent, std::move(events));
    }
};

#include "WebEnginePreview.moc"
