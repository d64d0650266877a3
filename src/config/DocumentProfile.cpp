#include "DocumentProfile.h"

#include "SettingsStore.h"

namespace {

QString S(const char* text) {
    return QString::fromLatin1(text);
}

// A text of the profile: its place in a profile file and in the settings.
struct TextPlace {
    const char* profileSection;
    const char* profileKey;
    const char* settingsSection;
    const char* settingsKey;
    QString DocumentProfile::*member;
};

const TextPlace kDocumentTexts[] = {
    {"Doc", "Title", "Title", "Text", &DocumentProfile::title},
    {"Doc", "Desc", "DESC", "Text", &DocumentProfile::description},
    {"Doc", "Keywords", "KeyWords", "Text", &DocumentProfile::keywords},
    {"Doc", "Author", "Author", "Text", &DocumentProfile::author},
};
const TextPlace kFileTexts[] = {
    {"StyleSheet", "Path", "StyleSheet", "Path", &DocumentProfile::styleSheet},
    {"Background", "Image", "Background", "Image", &DocumentProfile::background},
};

// Every entry in the order both the export and the import write them; the
// colours and the flag have the same names in both files.
void WriteEntries(SettingsStore& file, const DocumentProfile& profile, bool settingsNames) {
    const auto writeTexts = [&](const auto& places) {
        for (const TextPlace& place : places)
            file.WriteText(S(settingsNames ? place.settingsSection : place.profileSection),
                           S(settingsNames ? place.settingsKey : place.profileKey),
                           profile.*place.member);
    };
    writeTexts(kDocumentTexts);
    for (size_t i = 0; i < profile.colors.size(); ++i) {
        const QString section = S(DocumentProfile::kColorSections[i]);
        file.WriteText(section, S("Text"), profile.colors[i].text);
        file.WriteNumber(section, S("Col"), profile.colors[i].col);
    }
    writeTexts(kFileTexts);
    file.WriteFlag(S("DefLinkCol"), S("On"), profile.defaultLinkColors);
}

} // namespace

void ExportProfile(const QString& path, const DocumentProfile& profile) {
    SettingsStore file(path);
    WriteEntries(file, profile, false);
}

DocumentProfile ReadProfile(const QString& path) {
    const SettingsStore file(path);
    DocumentProfile profile;
    const auto readTexts = [&](const auto& places) {
        for (const TextPlace& place : places)
            profile.*place.member = file.ReadText(S(place.profileSection), S(place.profileKey), {});
    };
    readTexts(kDocumentTexts);
    readTexts(kFileTexts);
    for (size_t i = 0; i < profile.colors.size(); ++i) {
        const QString section = S(DocumentProfile::kColorSections[i]);
        profile.colors[i].text = file.ReadText(section, S("Text"), {});
        profile.colors[i].col = file.ReadNumber(section, S("Col"), 0);
    }
    profile.defaultLinkColors = file.ReadFlag(S("DefLinkCol"), S("On"), false);
    return profile;
}

void StoreProfile(SettingsStore& settings, const DocumentProfile& profile) {
    WriteEntries(settings, profile, true);
}
