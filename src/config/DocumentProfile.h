#pragma once

#include <QString>

#include <array>

class SettingsStore;

// The "New File Setup" of the configuration screen as a profile file
// (extension qdp) carries it between installations.
struct DocumentProfile {
    struct Color {
        QString text;   // colour text, "#RRGGBB" or empty
        qint32 col = 0; // colour number
    };
    // The sections of the four colours, in the order they are written.
    static constexpr std::array<const char*, 4> kColorSections = {"ALink", "VLink", "Link", "BG"};

    QString title;
    QString description;
    QString keywords;
    QString author;
    std::array<Color, 4> colors; // in the order of kColorSections
    QString styleSheet;
    QString background;
    bool defaultLinkColors = false;
};

// Writes the profile's entries to the file in their order; other entries of
// an existing file stay. Throws the store's UserError when it cannot write.
void ExportProfile(const QString& path, const DocumentProfile& profile);
// Reads a profile file; what it lacks reads as empty, 0 or false.
DocumentProfile ReadProfile(const QString& path);
// Writes every value of the profile into the settings, in the import order.
void StoreProfile(SettingsStore& settings, const DocumentProfile& profile);
