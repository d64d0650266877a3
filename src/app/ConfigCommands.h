#pragma once

#include "ConfigHost.h"

class TfMain;

// A new configuration screen of the main window, shown on the page with
// the focus in the given field; it lives until the user closes it.
void OpenConfigurationScreen(TfMain& window, int page, ConfigFocus focus);
