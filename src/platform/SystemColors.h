#pragma once

#include <QColor>

// Colour numbers as the settings and documents store them: red + 256 × green
// + 65536 × blue for a plain colour; a negative number (top bit set) names a
// system colour by its index in the low byte.
//
// System colours resolve through the application palette, by this table of
// indices and the palette roles that stand for them:
//   0 scroll bar: Button             16 button shadow: Dark
//   1 desktop: Dark                  17 grey text: Text (disabled)
//   2 active caption: Highlight      18 button text: ButtonText
//   3 inactive caption: Midlight     19 inactive caption text: WindowText (disabled)
//   4 menu: Window                   20 button highlight: Light
//   5 window: Base                   21 3-D dark shadow: Shadow
//   6 window frame: Shadow           22 3-D light: Midlight
//   7 menu text: WindowText          23 tooltip text: ToolTipText
//   8 window text: Text              24 tooltip background: ToolTipBase
//   9 caption text: HighlightedText  26 hot-tracked item: Link
//  10 active border: Window          27 active caption gradient: Highlight
//  11 inactive border: Window        28 inactive caption gradient: Midlight
//  12 application workspace: Mid     29 menu highlight: Highlight
//  13 highlight: Highlight           30 menu bar: Window
//  14 highlighted text: HighlightedText
//  15 button face: Button
// Any other index resolves to Window.
QColor SystemColor(int index);

// The colour a colour number stands for, system colours resolved.
QColor ColorFromNumber(qint32 number);

// The colour number of a plain colour.
qint32 ColorNumber(const QColor& color);

// The colour number of the neutral button-face system colour (0x8000000F).
inline constexpr qint32 kButtonFaceNumber = qint32(0x8000000F);
