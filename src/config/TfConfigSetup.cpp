// The "New File Setup" page of the configuration screen and its profiles.
#include "TfConfig.h"

#include "ColorSwatch.h"
#include "ConfigControls.h"
#include "DocumentProfile.h"
#include "ErrorReport.h"
#include "Language.h"
#include "Prompts.h"
#include "RgbToHtml.h"
#include "SettingDefaults.h"
#include "SettingsStore.h"
#include "SystemColors.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString S(const char* text) {
    return QString::fromLatin1(text);
}

const char* const kSwatchNames[] = {"ALinkColor", "VLinkColor", "LinkColor", "BGColor"};
const char* const kSwatchCaptions[] = {"Active link", "Visited link", "Default link color",
                                       "Background Color"};

FileDialogRequest ProfileRequest(const QString& caption) {
    return OneFilterRequest(caption, QStringLiteral("Document Profiles (*.qdp)"),
                            QStringLiteral("*.qdp"), QStringLiteral("qdp"));
}

} // namespace

QWidget* TfConfig::buildNewFilePage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("NewFileSetupPage"));
    auto* columns = new QHBoxLayout(page);
    auto* form = new QFormLayout;
    columns->addLayout(form, 3);
    const auto field = [&](const char* name, const char* caption, const char* hint) {
        auto* edit = new QLineEdit(page);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setToolTip(QString::fromLatin1(hint));
        connect(edit, &QLineEdit::textChanged, this, [this] { newFileChanged = true; });
        form->addRow(QString::fromLatin1(caption), edit);
        return edit;
    };
    title = field("Title", "Title :", "Title of your site or document");
    description = field("Description", "Description :", "Site description");
    keywords = new QPlainTextEdit(page);
    keywords->setObjectName(QStringLiteral("Keywords"));
    keywords->setToolTip(QStringLiteral("Here you can place all your keywords these are needed to "
                                        "be found by search engines."));
    keywords->setFixedHeight(60);
    connect(keywords, &QPlainTextEdit::textChanged, this, [this] { newFileChanged = true; });
    form->addRow(QStringLiteral("Keywords :"), keywords);
    author =
        field("Author", "Author :", "Person who created the document or is the author of a site");

    auto* extra = new QGroupBox(QStringLiteral("Extra document propertites"), page);
    auto* extraForm = new QFormLayout(extra);
    const auto fileField = [&](const char* name, const char* caption, const QString& label,
                               const QString& patterns) {
        auto* edit = new QLineEdit(extra);
        edit->setObjectName(QString::fromLatin1(name));
        connect(edit, &QLineEdit::textChanged, this, [this] { newFileChanged = true; });
        QPushButton* choose =
            MakeButton(extra, (QByteArray(name) + "Choose").constData(), QStringLiteral("..."));
        choose->setFixedWidth(28);
        connect(choose, &QPushButton::clicked, this,
                [=, this] { chooseFileName(edit, label, patterns); });
        auto* row = new QHBoxLayout;
        row->addWidget(edit, 1);
        row->addWidget(choose);
        extraForm->addRow(QString::fromLatin1(caption), row);
        return edit;
    };
    styleSheet =
        fileField("StyleSheet", "Style Sheet", QStringLiteral("Cascading Style Sheets (*.css)"),
                  QStringLiteral("*.css"));
    backgroundImage =
        fileField("BackgroundImage", "Background",
                  QStringLiteral("Image Files (*.bmp;*.gif;*.jpg;*.jpeg;*.png;*.svg;*.webp )"),
                  QStringLiteral("*.bmp;*.gif;*.jpg;*.jpeg;*.png;*.svg;*.webp;"));
    form->addRow(extra);

    auto* colors = new QVBoxLayout;
    columns->addLayout(colors, 2);
    defaultLinkColors =
        MakeTickBox(page, "DefaultLinkColors", QStringLiteral("Insert default links colors."),
                    SettingDefaults::kDefaultLinkColors);
    colors->addWidget(defaultLinkColors);
    auto* swatchForm = new QFormLayout;
    for (int i = 0; i < 4; ++i) {
        linkSwatches[i] = MakeSwatch(page, kSwatchNames[i]);
        QPushButton* clear = MakeButton(page, (QByteArray(kSwatchNames[i]) + "Clear").constData(),
                                        QStringLiteral("Clear"));
        connect(linkSwatches[i], &ColorSwatch::clicked, this,
                [this, i] { RunReported([&] { pickLinkColor(i); }); });
        connect(clear, &QPushButton::clicked, this,
                [this, i] { RunReported([&] { clearLinkColor(i); }); });
        auto* row = new QHBoxLayout;
        row->addWidget(linkSwatches[i]);
        row->addWidget(clear);
        row->addStretch();
        swatchForm->addRow(QString::fromLatin1(kSwatchCaptions[i]), row);
    }
    colors->addLayout(swatchForm);
    QPushButton* exportButton = MakeButton(page, "ExportProfile", QStringLiteral("Export profile"));
    QPushButton* importButton = MakeButton(page, "ImportProfile", QStringLiteral("Import profile"));
    connect(exportButton, &QPushButton::clicked, this,
            [this] { RunReported([this] { exportProfile(); }); });
    connect(importButton, &QPushButton::clicked, this,
            [this] { RunReported([this] { importProfile(); }); });
    colors->addWidget(exportButton);
    colors->addWidget(importButton);
    colors->addStretch();

    fillSetupFields();
    return page;
}

void TfConfig::chooseFileName(QLineEdit* field, const QString& label, const QString& patterns) {
    const QStringList chosen =
        CurrentPrompts().openFiles(OneFilterRequest(QStringLiteral("Open"), label, patterns));
    if (!chosen.isEmpty())
        field->setText(QFileInfo(chosen.constFirst()).fileName());
}

void TfConfig::pickLinkColor(int index) {
    const auto color = pickColor();
    if (!color)
        return;
    linkSwatches[index]->SetColor(*color);
    const QString section = S(DocumentProfile::kColorSections[index]);
    Settings().WriteText(section, S("Text"), ColorToHtml(*color));
    Settings().WriteNumber(section, S("Col"), *color);
}

void TfConfig::clearLinkColor(int index) {
    linkSwatches[index]->SetColor(kButtonFaceNumber);
    const QString section = S(DocumentProfile::kColorSections[index]);
    Settings().WriteText(section, S("Text"), QString());
    Settings().RemoveKey(section, S("Col"));
}

void TfConfig::exportProfile() {
    const auto path = CurrentPrompts().saveFile(ProfileRequest(QStringLiteral("Save As")));
    if (!path)
        return;
    DocumentProfile profile;
    profile.title = title->text();
    profile.description = description->text();
    QString lines;
    for (const QString& line : keywords->toPlainText().split(QLatin1Char('\n')))
        lines += line + S("\r\n");
    profile.keywords = lines;
    profile.author = author->text();
    for (int i = 0; i < 4; ++i)
        profile.colors[i] = {ColorToHtml(linkSwatches[i]->Color()), linkSwatches[i]->Color()};
    profile.styleSheet = styleSheet->text();
    profile.background = backgroundImage->text();
    profile.defaultLinkColors = defaultLinkColors->isChecked();
    ExportProfile(*path, profile);
    LangMessage(S("ExpProf"), QString(), 2);
}

void TfConfig::importProfile() {
    if (!CurrentPrompts().message(MessageKind::Confirm, LangText(S("OvProfile"))))
        return;
    const QStringList chosen = CurrentPrompts().openFiles(ProfileRequest(QStringLiteral("Open")));
    if (chosen.isEmpty())
        return;
    StoreProfile(Settings(), ReadProfile(chosen.constFirst()));
    refreshAfterImport();
    CurrentPrompts().message(MessageKind::Information, LangText(S("NewProf")));
}

void TfConfig::fillSetupFields() {
    SettingsStore& store = Settings();
    FillText(title, store.ReadText(S("Title"), S("Text"), {}));
    FillText(description, store.ReadText(S("DESC"), S("Text"), {}));
    FillText(keywords, store.ReadText(S("KeyWords"), S("Text"), {}));
    FillText(author, store.ReadText(S("Author"), S("Text"), {}));
    for (int i = 0; i < 4; ++i)
        linkSwatches[i]->SetColor(
            store.ReadNumber(S(DocumentProfile::kColorSections[i]), S("Col"), kButtonFaceNumber));
    FillText(backgroundImage, store.ReadText(S("Background"), S("Image"), {}));
    FillText(styleSheet, store.ReadText(S("StyleSheet"), S("Path"), {}));
    defaultLinkColors->setChecked(
        store.ReadFlag(S("DefLinkCol"), S("On"), SettingDefaults::kDefaultLinkColors));
}

void TfConfig::refreshAfterImport() {
    fillSetupFields();
    SettingsStore& store = Settings();
    FillText(workDirectory, store.ReadText(S("Work"), S("Dir"), {}));
    syncronize->setChecked(store.ReadFlag(S("Work"), S("Syncro"), SettingDefaults::kFollowFolders));
    // The profile's colours reach new documents through the template, which
    // is rebuilt at close only with this mark: fields that happened to hold
    // the profile's texts already would leave it clear.
    newFileChanged = true;
}
