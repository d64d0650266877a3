// The web engine module: the preview window's browser view is Qt WebEngine's.
// The program loads this module when the first preview opens; nothing else in
// the program includes a web engine header.
//
// Every choice about what a previewed page may do is made here, where the
// engine, its profile and its views are set up.

#include "PreviewEngine.h"

#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QPointF>
#include <QUrl>
#include <QUuid>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>
#include <QWebEngineUrlSchemeHandler>
#include <QWebEngineView>

#include <optional>

namespace {

// Pages are shown as quillon-preview://<key>/<path> instead of file:///<path>.
// Qt WebEngine lets a file: page load its style sheets, scripts and pictures
// only while LocalContentCanAccessFileUrls is on, and that same setting lets
// its scripts read every file the user can read. Served through our own
// scheme, every document gets an opaque origin, as a browser gives a local
// page: it loads whatever it names (beside it, below or above it), but its
// scripts cannot read the contents of another file by a request, a frame or
// a canvas, since to the engine each is a foreign origin that allows no
// cross-origin access.
const QByteArray kScheme = QByteArrayLiteral("quillon-preview");

// Before the first profile exists; the engine ignores later registrations.
void RegisterScheme() {
    QWebEngineUrlScheme scheme(kScheme);
    // A host part makes the scheme hierarchical, so that relative links
    // resolve as they do on a web site.
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
    // NoAccessAllowed: the opaque origin above. SecureScheme: the page counts
    // as a secure context, as a local file does in a browser.
    scheme.setFlags(QWebEngineUrlScheme::NoAccessAllowed | QWebEngineUrlScheme::SecureScheme);
    QWebEngineUrlScheme::registerScheme(scheme);
}

// Answers the scheme's requests from the file system. The host is a key made
// for this run: a web page the user follows a link to cannot guess it, so it
// cannot even probe which local files exist.
class LocalFiles : public QWebEngineUrlSchemeHandler {
public:
    explicit LocalFiles(QObject* parent)
        : QWebEngineUrlSchemeHandler(parent),
          key(QUuid::createUuid().toString(QUuid::WithoutBraces)) {}

    QUrl UrlOf(const QString& path) const {
        QUrl url;
        url.setScheme(QString::fromLatin1(kScheme));
        url.setHost(key);
        url.setPath(QFileInfo(path).absoluteFilePath());
        return url;
    }

    // The file: address the user knows for one of ours; others unchanged.
    QString Shown(const QUrl& url) const {
        if (url.scheme() != QLatin1String(kScheme))
            return url.toString();
        QUrl file = QUrl::fromLocalFile(url.path());
        file.setQuery(url.query());
        file.setFragment(url.fragment());
        return file.toString();
    }

    void requestStarted(QWebEngineUrlRequestJob* job) override {
        const QUrl url = job->requestUrl();
        if (url.host() != key || job->requestMethod() != "GET") {
            job->fail(QWebEngineUrlRequestJob::RequestDenied);
            return;
        }
        const QString path = url.path();
        auto* file = new QFile(path, job);
        if (!QFileInfo(path).isFile() || !file->open(QIODevice::ReadOnly)) {
            job->fail(QWebEngineUrlRequestJob::UrlNotFound);
            return;
        }
        job->reply(QMimeDatabase().mimeTypeForFile(path).name().toLatin1(), file);
    }

private:
    const QString key;
};

class WebEnginePage : public QWebEngineView, public PreviewPage {
public:
    WebEnginePage(QWidget* parent, QWebEngineProfile* profile, const LocalFiles& files,
                  PreviewPage::Events events)
        : QWebEngineView(parent), files(files), events(std::move(events)) {
        setObjectName(QStringLiteral("WebBrowser1"));
        // The view owns its page, made in the profile shared by all previews.
        setPage(new QWebEnginePage(profile, this));

        QWebEngineSettings* settings = page()->settings();
        // The page plays its videos and background sounds as it would on the web.
        settings->setAttribute(QWebEngineSettings::PlaybackRequiresUserGesture, false);
        // No file: page is shown (see kScheme); should one be reached anyway,
        // its scripts may not read other files, nor ignore the rules remote
        // addresses set for cross-origin access.
        settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
        settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
        // The user's clipboard is not the page's to read or fill.
        settings->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, false);
        settings->setAttribute(QWebEngineSettings::JavascriptCanPaste, false);
        // No plugins and no windows of the page's own; a script's request to
        // close the window (windowCloseRequested) is not answered either: the
        // preview window closes only by the user's commands.
        settings->setAttribute(QWebEngineSettings::PluginsEnabled, false);
        settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);

        connect(page(), &QWebEnginePage::linkHovered, this, [this](const QString& url) {
            if (this->events.linkHovered)
                this->events.linkHovered(url.isEmpty() ? url : this->files.Shown(QUrl(url)));
        });
        connect(this, &QWebEngineView::loadStarted, this, [this] {
            if (this->events.loadStarted)
                this->events.loadStarted(this->files.Shown(url()));
        });
        connect(this, &QWebEngineView::loadFinished, this, [this](bool ok) {
            if (keptScroll) {
                page()->runJavaScript(QStringLiteral("window.scrollTo(%1, %2);")
                                          .arg(keptScroll->x())
                                          .arg(keptScroll->y()));
                keptScroll.reset();
            }
            if (this->events.loadFinished)
                this->events.loadFinished(ok);
        });
    }

    QWidget* Widget() override { return this; }
    void Navigate(const QString& path) override {
        keptScroll.reset();
        load(files.UrlOf(path));
    }
    // The page and everything it draws on are read anew, past the engine's
    // cache, so that a changed style sheet shows; the page comes back
    // scrolled to where it was.
    void Reload() override {
        keptScroll = page()->scrollPosition();
        page()->triggerAction(QWebEnginePage::ReloadAndBypassCache);
    }

private:
    std::optional<QPointF> keptScroll;
    const LocalFiles& files;
    PreviewPage::Events events;
};

} // namespace

class WebEnginePreview : public QObject, public PreviewEngine {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.quillon.PreviewEngine/1.0")
    Q_INTERFACES(PreviewEngine)
public:
    WebEnginePreview() {
        RegisterScheme();
        // Qt's default profile is off the record: cookies, local storage and
        // the cache live in memory and go with the program, and nothing of a
        // previewed page is left on disk. It is also the profile the engine
        // itself keeps until its own shutdown, after every view has gone.
        profile = QWebEngineProfile::defaultProfile();
        Q_ASSERT(profile->isOffTheRecord());
        // Owned by the profile, so that it answers as long as any page can ask.
        files = new LocalFiles(profile);
        profile->installUrlSchemeHandler(kScheme, files);
    }

    PreviewPage* CreatePage(QWidget* parent, PreviewPage::Events events) override {
        return new WebEnginePage(parent, profile, *files, std::move(events));
    }

private:
    QWebEngineProfile* profile;
    LocalFiles* files;
};

#include "WebEnginePreview.moc"
