#pragma once

#include "ConfigHost.h"

class CommandHost;

// A new configuration screen over the host's window, shown on the page with
// the focus in the given field; it lives until the user closes it. Opening
// one counts as a document number.
void OpenConfigurationScreen(CommandHost& host, int page, ConfigFocus focus);
