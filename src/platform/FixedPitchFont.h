#pragma once

#include <QString>

// The installed font family that text asked for in `requested` is drawn
// with: the family itself when it is installed, otherwise the closest
// fixed-pitch family the font configuration offers (a settings file
// written on another system often names "Courier New").
QString FixedPitchFamily(const QString& requested);
