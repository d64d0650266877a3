#pragma once

class QObject;

// Puts the catalog's texts in the current language on the main window's menus,
// toolbar hints and panels. Objects are found by name below root; an object
// that does not exist (a panel not built) is skipped.
void ApplyLanguage(QObject* root);
