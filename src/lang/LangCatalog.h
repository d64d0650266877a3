#pragma once

#include <span>

// The catalog compiled into the program: every text that changes with the
// interface language. Keys are compared exactly, letter case included. A line
// break inside a text is LF followed by CR.

struct CatalogTextEntry {
    const char16_t* key;
    const char16_t* english;
    const char16_t* dutch;
};

enum class ArgumentPlacement {
    None,          // one text; an argument is ignored
    BetweenBlanks, // before-part, blank, argument, blank, after-part
    Adjacent,      // before-part, argument, after-part
};

struct CatalogMessageEntry {
    const char16_t* key;
    ArgumentPlacement placement;
    const char16_t* english[2]; // text (or before-part), after-part
    const char16_t* dutch[2];
};

enum class TargetProperty { Hint, Caption, PanelText };

// One text that ApplyLanguage sets: the LangText key, the object's name
// ("Parent/Child" when the name alone is not unique) and what is set.
struct LanguageTarget {
    const char16_t* key;
    const char16_t* objectPath;
    TargetProperty property;
};

std::span<const CatalogTextEntry> CatalogTexts();
std::span<const CatalogMessageEntry> CatalogMessages();
std::span<const LanguageTarget> ApplyLanguageTargets();
