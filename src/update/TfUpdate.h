#pragma once

#include <QDialog>
#include <QString>

#include <optional>

class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class THTTPGet;
class TINetDetector;

// Where the update server listens. The setting Update/Server holds "host"
// or "host:port" for plain HTTP, "https://host" or "https://host:port" for
// HTTPS. Only an installer that came over HTTPS is started.
struct UpdateServer {
    QString host;
    quint16 port = 80;
    bool secure = false;

    // The URL of a path on the server, without the port.
    QString Url(const QString& path) const;
};
inline const QString kDefaultUpdateServer = QStringLiteral("update.quillon.example");
// nullopt for a text that is no host name, or whose port is no number from 1
// to 65535.
std::optional<UpdateServer> ParseUpdateServer(const QString& text);

// Whether a version file's text can be a version: no markup, at most one
// line that is not empty. A captive portal answers with an HTML page.
bool LooksLikeVersion(const QString& text);

// A number with a comma between each group of three digits: "1,234,567".
QString GroupDigits(qint64 number);

// The update window: asks the update server for the newest version, and when
// it differs from the running one downloads the installer and starts it.
class TfUpdate : public QDialog {
    Q_OBJECT
public:
    // A version file longer than this is not a version file.
    static constexpr qint64 kMaxVersionFileSize = 65536;

    // updateFolder, ending in a separator, receives the downloaded files.
    TfUpdate(const QString& updateFolder, const QString& versionText, QWidget* parent = nullptr);
    ~TfUpdate() override;

    // The installer has been started: the program is to end now.
    bool Launched() const { return launched; }

    // Any way of closing the window ends the downloads.
    void reject() override;

signals:
    // An installer was kept without being started; the folder holds it.
    void installerKept(const QString& folder);

private:
    void Button1Click();
    void VersionDone(const QString& fileName, qint32 fileSize);
    void InstallerProgress(qint32 totalSize, qint32 readed);
    void InstallerDone(const QString& fileName, qint32 fileSize);
    void DownloadFailed(const THTTPGet& download, const QString& errorKey);
    void AddLine(const QString& line);
    using DoneHandler = void (TfUpdate::*)(const QString&, qint32);
    THTTPGet* MakeDownload(const char* name, DoneHandler done, const char* errorKey);

    const QString updateFolder;
    const QString versionText;
    const QString installerPath;
    bool firstProgress = false;
    bool launched = false;
    UpdateServer server;

    THTTPGet* versionDownload = nullptr;
    THTTPGet* installerDownload = nullptr;
    TINetDetector* detector = nullptr;
    QPlainTextEdit* console = nullptr;
    QLabel* fileNameValue = nullptr;
    QLabel* bytesValue = nullptr;
    QLabel* versionValue = nullptr;
    QProgressBar* progress = nullptr;
    QPushButton* checkButton = nullptr;
};
