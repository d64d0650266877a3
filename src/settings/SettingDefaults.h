#pragma once

#include <QtGlobal>

// What the program applies when a preference is missing from settings.ini.
// The configuration screen shows these same values for a missing key, so
// the screen never shows one thing while the program does another, and
// merely opening it writes nothing that changes behaviour.
namespace SettingDefaults {

inline constexpr bool kAskToSave = true;                  // Ask/ToSave?
inline constexpr bool kGutterVisible = true;              // Gutter/Vis
inline constexpr qint32 kGutterWidth = 15;                // Gutter/Width (shown doubled)
inline constexpr bool kLineNumbers = true;                // LN/Enabled
inline constexpr bool kHighlighting = false;              // SHigh/Enabled
inline constexpr bool kCloseTags = true;                  // CloseTags/Enabled
inline constexpr bool kMatchTags = true;                  // MatchTags/Enabled
inline constexpr bool kColorSwatches = true;              // ColorSwatches/Enabled
inline constexpr bool kLivePreview = true;                // LivePreview/Enabled
inline constexpr bool kScrollHint = false;                // Scrollhint/Enabled
inline constexpr bool kAutoIndent = false;                // Autoindent/Enabled
inline constexpr qint32 kBlockIndent = 8;                 // BlockIndent/Width
inline constexpr bool kMargin = true;                     // Margin/Enabled
inline constexpr qint32 kMarginRight = 80;                // Margin/Right
inline constexpr qint32 kEditorFontSize = 10;             // Font/Size
inline constexpr const char* kEditorFont = "Courier New"; // Font/Style
inline constexpr qint32 kTextFontSize = 2;                // Font/Size2
inline constexpr const char* kTextFont = "Verdana";       // Font/Type
inline constexpr bool kOpenOnDoubleClick = false;         // DoubleClick/Open
inline constexpr bool kFollowFolders = true;              // Work/Syncro
inline constexpr bool kDefaultLinkColors = false;         // DefLinkCol/On
inline constexpr bool kCodeInside = false;                // Use/CodeInside
inline constexpr bool kReopenSession = true;              // Session/Reopen
inline constexpr bool kKeepForRecovery = true;            // Recovery/Keep
// The editor's own colours when Font/Color or EditWindow/BGCol is missing
// or cleared, as system colour numbers: window text and window.
inline constexpr qint32 kEditorTextColor = qint32(0x80000007);
inline constexpr qint32 kEditorBackground = qint32(0x80000005);

} // namespace SettingDefaults
