#pragma once

#include "EditorControl.h"

#include <QTest>

#include <memory>

// A real editor on screen with the keyboard focus, as a user types into it;
// null when the window never became visible.
inline std::unique_ptr<EditorControl> ShownEditor() {
    auto editor = std::make_unique<EditorControl>();
    editor->resize(600, 400);
    editor->show();
    if (!QTest::qWaitForWindowExposed(editor.get()))
        return nullptr;
    editor->setFocus();
    return editor;
}
