#include "WindowFixture.h"

void WindowFixture::prepare() {
    folder = std::make_unique<ProgramFolder>();
    prompts = std::make_unique<ScriptedPrompts>();
}

void WindowFixture::start(const QByteArray& settings) {
    folder->writeSettings("[Help]\r\nLanguage=Eng\r\n" + settings);
    window = std::make_unique<TfMain>(folder->windowOptions());
    window->showMaximized();
}

void WindowFixture::finish() {
    folder->writeSettings("[Help]\r\nLanguage=Eng\r\n");
    prompts->answerYes();
    if (window)
        window->close();
    window.reset();
    prompts.reset();
    folder.reset();
}
