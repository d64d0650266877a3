#pragma once

#include <QWidget>

// What the main window's MDI area holds: document windows and preview windows.
// Before a child closes, the frame asks it whether it may (its close question).
class MdiChildWindow : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    // Whether the window may close now; may ask the user. The default allows it.
    virtual bool CloseQuery() { return true; }
};
