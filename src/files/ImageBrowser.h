#pragma once

#include "StatusPanels.h"

#include <QFrame>
#include <QScrollArea>
#include <QStringList>

class QLabel;
class QToolButton;

// The picture display: one picture at its natural size, centred, with
// scroll bars when it is larger than the display. A picture that cannot be
// read leaves the display empty.
class PictureDisplay : public QScrollArea {
    Q_OBJECT
public:
    explicit PictureDisplay(QWidget* parent = nullptr);
    void Clear();
    // Shows the picture file; false (and an empty display) when it cannot
    // be read.
    bool ShowFile(const QString& path);
    bool HasPicture() const;

signals:
    void pictureClicked();
    void escapePressed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLabel* picture;
    bool releaseEndsDoubleClick = false;
};

// The image browser's status line; panel 0 takes the text the language
// puts on the browser.
class BrowserStatusBar : public StatusPanels {
    Q_OBJECT
    Q_PROPERTY(QString panelText READ panelText WRITE setPanelText)
public:
    explicit BrowserStatusBar(QWidget* parent = nullptr);
    QString panelText() const { return PanelText(0); }
    void setPanelText(const QString& text) { SetPanelText(0, text); }
};

// The image browser: it lies over the whole of its parent (the document
// area) when shown, steps through the picture list of the last open command
// and hands a picture tag to the main window.
class ImageBrowserPanel : public QFrame {
    Q_OBJECT
public:
    explicit ImageBrowserPanel(QWidget* parent);

    // The panel that a click on the picture hides and shows again.
    void SetFileManagerPanel(QWidget* panel) { fileManager = panel; }

    QStringList Pictures() const { return pictures; }
    int Position() const { return position; }
    bool FullView() const { return fullView; }
    PictureDisplay* Display() const { return display; }
    BrowserStatusBar* Status() const { return status; }
    QToolButton* PreviousButton() const { return previous; }
    QToolButton* NextButton() const { return next; }
    QToolButton* AddButton() const { return add; }
    QToolButton* CloseButton() const { return closeButton; }

    // What every open command does, in this order: reset, add each
    // picture, start. hidePanel: the reset hides a shown panel too.
    void Reset(bool hidePanel);
    void AddPicture(const QString& path);
    void Start();

    void ShowPicture(const QString& path);
    void Toggle();
    void NextImage();
    void PreviousImage();
    void ToggleView();
    void ClosePanel();
    void InsertPictureTag();

signals:
    void insertRequested(const QString& html);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setViewText(const QString& text);

    QToolButton* previous;
    QToolButton* next;
    QToolButton* add;
    QToolButton* closeButton;
    PictureDisplay* display;
    BrowserStatusBar* status;
    QWidget* fileManager = nullptr;
    QStringList pictures;
    int position = 0;
    bool fullView = false;
};
