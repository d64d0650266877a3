#include "DocumentProfile.h"

#include "SettingsStore.h"

namespace {

QString S(const char* text) {
    return QString::fromLatin1(text);
}

} // namespace

void ExportProfile(const QString& path, const DocumentProfile& profile) {
    SettingsStore file(path);
    file.WriteText(S("Doc"), S("Title"), profile.title);
    file.WriteText(S("Doc"), S("Desc"), profile.description);
    file.WriteText(S("Doc"), S("Keywords"), profile.keywords);
    file.WriteText(S("Doc"), S("Author"), profile.author);
    for (size_t i = 0; i < profile.colors.size(); ++i) {
        const QString section = S(DocumentProfile::kColorSections[i]);
        file.WriteText(section, S("Text"), profile.colors[i].text);
        file.WriteNumber(section, S("Col"), profile.colors[i].col);
    }
    file.WriteText(S("StyleSheet"), S("Path"), profile.styleSheet);
    file.WriteText(S("Background"), S("Image"), profile.background);
    file.WriteFlag(S("DefLinkCol"), S("On"), profile.defaultLinkColors);
}

DocumentProfile ReadProfile(const QString& path) {
    const SettingsStore file(path);
    DocumentProfile profile;
    profile.title = file.ReadText(S("Doc"), S("Title"), {});
    profile.description = file.ReadText(S("Doc"), S("Desc"), {});
    profile.keywords = file.ReadText(S("Doc"), S("Keywords"), {});
    profile.author = file.ReadText(S("Doc"), S("Author"), {});
    for (size_t i = 0; i < profile.colors.size(); ++i) {
        const QString section = S(DocumentProfile::kColorSections[i]);
        profile.colors[i].text = file.ReadText(section, S("Text"), {});
        profile.colors[i].col = file.ReadNumber(section, S("Col"), 0);
    }
    profile.styleSheet = file.ReadText(S("StyleSheet"), S("Path"), {});
    profile.background = file.ReadText(S("Background"), S("Image"), {});
    profile.defaultLinkColors = file.ReadFlag(S("DefLinkCol"), S("On"), false);
    return profile;
}

void StoreProfile(SettingsStore& settings, const DocumentProfile& profile) {
    settings.WriteText(S("Title"), S("Text"), profile.title);
    settings.WriteText(S("DESC"), S("Text"), profile.description);
    settings.WriteText(S("KeyWords"), S("Text"), profile.keywords);
    settings.WriteText(S("Author"), S("Text"), profile.author);
    for (size_t i = 0; i < profile.colors.size(); ++i) {
        const QString section = S(DocumentProfile::kColorSections[i]);
        settings.WriteText(section, S("Text"), profile.colors[i].text);
        settings.WriteNumber(section, S("Col"), profile.colors[i].col);
    }
    settings.WriteText(S("StyleSheet"), S("Path"), profile.styleSheet);
    settings.WriteText(S("Background"), S("Image"), profile.background);
    settings.WriteFlag(S("DefLinkCol"), S("On"), profile.defaultLinkColors);
}
