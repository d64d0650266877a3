#include "TfUpdate.h"

#include "Cp1252Codec.h"
#include "ErrorReport.h"
#include "HTTPGet.h"
#include "INetDetector.h"
#include "Language.h"
#include "SettingsStore.h"
#include "Shell.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString kVersionFile = QStringLiteral("v_file.txt");
const QString kInstallerFile = QStringLiteral("Quillon_Upd.exe");

// Removes blanks and control characters at both ends.
QString TrimControls(const QString& text) {
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text[start].unicode() <= 0x20)
        ++start;
    while (end > start && text[end - 1].unicode() <= 0x20)
        --end;
    return text.mid(start, end - start);
}

// A file's lines: broken at CR LF, LF or CR; an empty file has none.
QStringList FileLines(const QByteArray& bytes) {
    if (bytes.isEmpty())
        return {};
    QStringList lines =
        Cp1252Codec::Decode(bytes).split(QRegularExpression(QStringLiteral("\r\n|\n|\r")));
    if (bytes.endsWith('\n') || bytes.endsWith('\r'))
        lines.removeLast();
    return lines;
}

QLabel* AddField(QFormLayout* form, const QString& caption, const char* name) {
    auto* value = new QLabel(form->parentWidget());
    value->setObjectName(QString::fromLatin1(name));
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    form->addRow(caption, value);
    return value;
}

} // namespace

std::optional<UpdateServer> ParseUpdateServer(const QString& text) {
    static const QRegularExpression shape(
        QStringLiteral("^(https://)?([A-Za-z0-9]([A-Za-z0-9.-]*[A-Za-z0-9])?)(:([0-9]{1,5}))?$"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = shape.match(text.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    const bool secure = match.hasCaptured(1);
    UpdateServer server{match.captured(2), quint16(secure ? 443 : 80), secure};
    if (match.hasCaptured(5)) {
        const int port = match.captured(5).toInt();
        if (port < 1 || port > 65535)
            return std::nullopt;
        server.port = quint16(port);
    }
    return server;
}

QString UpdateServer::Url(const QString& path) const {
    return (secure ? QStringLiteral("https://") : QStringLiteral("http://")) + host + path;
}

bool LooksLikeVersion(const QString& text) {
    if (text.contains(QLatin1Char('<')))
        return false;
    const QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\n|\r")));
    return std::count_if(lines.begin(), lines.end(),
                         [](const QString& line) { return !TrimControls(line).isEmpty(); }) <= 1;
}

QString GroupDigits(qint64 number) {
    const QString digits = QString::number(number < 0 ? -number : number);
    QString grouped;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped += QLatin1Char(',');
        grouped += digits[i];
    }
    return number < 0 ? QLatin1Char('-') + grouped : grouped;
}

TfUpdate::TfUpdate(const QString& updateFolder, const QString& versionText, QWidget* parent)
    : QDialog(parent), updateFolder(updateFolder), versionText(versionText),
      installerPath(updateFolder + kInstallerFile) {
    setObjectName(QStringLiteral("fUpdate"));
    setWindowTitle(QStringLiteral("Update Console"));

    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox(QStringLiteral("Information console"), this);
    group->setObjectName(QStringLiteral("GroupBox1"));
    auto* form = new QFormLayout(group);
    fileNameValue = AddField(form, QStringLiteral("Filename :"), "FileNameValue");
    bytesValue = AddField(form, QStringLiteral("Bytes Received :"), "BytesValue");
    versionValue = AddField(form, QStringLiteral("Your version :"), "VersionValue");
    progress = new QProgressBar(group);
    progress->setObjectName(QStringLiteral("ProgressBar1"));
    progress->setValue(0);
    form->addRow(QStringLiteral("Progress :"), progress);
    layout->addWidget(group);

    console = new QPlainTextEdit(this);
    console->setObjectName(QStringLiteral("Memo1"));
    console->setReadOnly(true);
    console->setEnabled(false);
    console->setMinimumSize(460, 160);
    layout->addWidget(console, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    checkButton = new QPushButton(QStringLiteral("Check for updates"), this);
    checkButton->setObjectName(QStringLiteral("Button1"));
    checkButton->setDefault(true);
    auto* exitButton = new QPushButton(QStringLiteral("Exit"), this);
    exitButton->setObjectName(QStringLiteral("Button2"));
    buttons->addWidget(checkButton);
    buttons->addWidget(exitButton);
    layout->addLayout(buttons);
    connect(checkButton, &QPushButton::clicked, this,
            [this] { RunReported([this] { Button1Click(); }); });
    connect(exitButton, &QPushButton::clicked, this, &TfUpdate::reject);

    versionDownload = MakeDownload("HTTPGet1", &TfUpdate::VersionDone, "VerNumErr");
    versionDownload->SetMaxSize(kMaxVersionFileSize);
    installerDownload = MakeDownload("HTTPGet2", &TfUpdate::InstallerDone, "Error1");
    // A body without a length can never be taken as complete: stop at the
    // headers instead of reading it.
    installerDownload->SetBinaryData(true);
    connect(installerDownload, &THTTPGet::OnProgress, this, &TfUpdate::InstallerProgress);

    detector = new TINetDetector(this);
    detector->setObjectName(QStringLiteral("INetDetector1"));
    detector->SetDispatchInterval(100);
}

TfUpdate::~TfUpdate() = default;

// Both downloads are set up alike; a failure adds the line of the error key.
THTTPGet* TfUpdate::MakeDownload(const char* name, DoneHandler done, const char* errorKey) {
    auto* download = new THTTPGet(this);
    download->setObjectName(QString::fromLatin1(name));
    download->SetAcceptTypes(QStringLiteral("*/*"));
    download->SetAgent(QStringLiteral("Quillon Update Agent"));
    download->SetBinaryData(false);
    download->SetUseCache(false);
    download->SetWaitThread(true);
    connect(download, &THTTPGet::OnDoneFile, this,
            [this, done](const QString& fileName, qint32 fileSize) {
                RunReported([&] { (this->*done)(fileName, fileSize); });
            });
    const QString key = QString::fromLatin1(errorKey);
    connect(download, &THTTPGet::OnError, this,
            [this, download, key] { DownloadFailed(*download, key); });
    return download;
}

// The reason, where it is known, then the line of the error key.
void TfUpdate::DownloadFailed(const THTTPGet& download, const QString& errorKey) {
    if (download.Failure() == DownloadFailure::NotSecured)
        AddLine(LangText(QStringLiteral("NotSecured")));
    else if (download.Failure() == DownloadFailure::NoLength)
        AddLine(LangText(QStringLiteral("NoLength")));
    AddLine(LangText(errorKey));
}

void TfUpdate::reject() {
    versionDownload->Abort();
    installerDownload->Abort();
    QDialog::reject();
}

void TfUpdate::AddLine(const QString& line) {
    console->appendPlainText(line);
}

void TfUpdate::Button1Click() {
    if (!detector->Online()) {
        console->setEnabled(true);
        AddLine(LangText(QStringLiteral("NoCon")));
        return;
    }
    const QString setting = Settings().ReadText(QStringLiteral("Update"), QStringLiteral("Server"),
                                                kDefaultUpdateServer);
    const auto named = ParseUpdateServer(setting);
    if (!named)
        throw UserError(LangText(QStringLiteral("UpdServerErr")).arg(setting));
    server = *named;
    console->setEnabled(true);
    firstProgress = true;
    versionValue->setText(versionText);
    console->clear();
    AddLine(LangText(QStringLiteral("ConServ")));

    versionDownload->SetFileName(updateFolder + kVersionFile);
    versionDownload->SetURL(server.Url(QStringLiteral("/q6.txt")));
    versionDownload->SetPort(server.port);
    // The download keeps the window live; a second check meanwhile would
    // clear the console of the first.
    checkButton->setEnabled(false);
    versionDownload->GetFile();
    checkButton->setEnabled(true);
}

void TfUpdate::VersionDone(const QString& fileName, qint32) {
    QFile file(fileName);
    const bool read = file.open(QIODevice::ReadOnly);
    const QByteArray bytes = read ? file.readAll() : QByteArray();
    file.close();
    if (QFile::exists(fileName))
        QFile::remove(fileName);
    const QStringList lines = FileLines(bytes);
    const QString serverVersion = TrimControls(lines.join(QStringLiteral("\r\n")));
    // Nothing to compare: an empty answer is no version, nor is a page.
    if (!read || serverVersion.isEmpty() || !LooksLikeVersion(serverVersion)) {
        AddLine(LangText(QStringLiteral("VerNumErr")));
        return;
    }
    AddLine(LangText(QStringLiteral("NoVer")) + lines.first());
    if (serverVersion == TrimControls(versionText)) {
        AddLine(QString());
        AddLine(LangText(QStringLiteral("Same")));
        return;
    }
    AddLine(LangText(QStringLiteral("NewVersion")));
    AddLine(LangText(QStringLiteral("RecUpdate")));
    fileNameValue->setText(installerPath);
    installerDownload->SetFileName(installerPath);
    installerDownload->SetURL(server.Url(QStringLiteral("/files/quillon/quillon.exe")));
    installerDownload->SetPort(server.port);
    installerDownload->GetFile();
}

void TfUpdate::InstallerProgress(qint32 totalSize, qint32 readed) {
    if (firstProgress)
        AddLine(LangText(QStringLiteral("TotDown1")) + GroupDigits(totalSize) +
                LangText(QStringLiteral("TotDown2")));
    bytesValue->setText(GroupDigits(readed));
    progress->setMaximum(totalSize);
    progress->setValue(readed);
    firstProgress = false;
}

void TfUpdate::InstallerDone(const QString& fileName, qint32 fileSize) {
    // A response without a length counts as complete when it is empty; an
    // empty file is no installer.
    if (fileSize <= 0 || QFileInfo(fileName).size() != fileSize) {
        QFile::remove(fileName);
        AddLine(LangText(QStringLiteral("Error1")));
        return;
    }
    // Over plain HTTP anyone on the way could have swapped the installer:
    // it is kept for the user to judge, never started.
    if (!installerDownload->Verified()) {
        AddLine(LangText(QStringLiteral("UpdNotStarted")).arg(QDir::toNativeSeparators(fileName)));
        emit installerKept(QFileInfo(fileName).absolutePath());
        return;
    }
    AddLine(QString());
    AddLine(LangText(QStringLiteral("UpdateDone")));
    if (!CurrentShell().openWithDefaultProgram(fileName)) {
        AddLine(LangText(QStringLiteral("SetupErr")) + fileName);
        return;
    }
    launched = true;
    accept();
}
