#pragma once

#include <QDialog>

// The about box: the program's picture, its version line and its licence.
class TfAbout : public QDialog {
    Q_OBJECT
public:
    explicit TfAbout(const QString& versionText, QWidget* parent = nullptr);
};

// The splash window shown while the program starts: a borderless window of
// 537 by 273 pixels centred on the screen, holding one picture with the
// version written on it.
class TfSplash : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 537;
    static constexpr int kHeight = 273;
    explicit TfSplash(const QString& versionText, QWidget* parent = nullptr);

    // Shows the window and paints it at once, before start-up goes on.
    void showNow();
};
