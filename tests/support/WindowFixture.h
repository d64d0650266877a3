#pragma once

#include "TfMain.h"
#include "support/ProgramFolder.h"
#include "support/ScriptedPrompts.h"

#include <QByteArray>

#include <memory>

// A main window in its own temporary program folder, with scripted prompts.
class WindowFixture {
public:
    std::unique_ptr<ProgramFolder> folder;
    std::unique_ptr<ScriptedPrompts> prompts;
    std::unique_ptr<TfMain> window;

    // A fresh folder and prompts, no window yet.
    void prepare();
    // Starts the window, maximised, on English settings followed by the
    // given lines.
    void start(const QByteArray& settings = {});
    // Closes whatever is open without questions and removes the folder.
    void finish();
};
