#pragma once

#include "ColorSwatch.h"
#include "DocumentTabs.h"
#include "GammaPanel.h"

#include <QFrame>
#include <QScrollArea>

class QToolButton;

// The strip along the file manager's right edge: the word "Filemanager"
// written upwards in bold, kept 5 pixels above the strip's bottom, and the
// button that hides the file manager at its top.
class FileManagerStrip : public QFrame {
    Q_OBJECT
public:
    static constexpr int kWidth = 21;
    explicit FileManagerStrip(QWidget* parent = nullptr);
    QToolButton* hideButton() const { return button; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QToolButton* button;
};

// The file manager panel. Its content is laid out to the left of the strip,
// which always sits on the panel's right edge, also when the panel has been
// collapsed to less than the strip's width.
class FileManagerPanel : public QFrame {
    Q_OBJECT
public:
    explicit FileManagerPanel(QWidget* parent = nullptr);
    FileManagerStrip* strip() const { return captionStrip; }
    QWidget* content() const { return contentArea; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    FileManagerStrip* captionStrip;
    QWidget* contentArea;
};

// The colour bar on the right edge, 55 wide: the colour picker, shifted so
// that its outer frame is clipped, two click targets over its swatches that
// write their colour into the document, and the hide button kept 2 pixels
// above the bar's bottom.
class ColorBarPanel : public QFrame {
    Q_OBJECT
public:
    static constexpr int kWidth = 55;
    explicit ColorBarPanel(QWidget* parent = nullptr);
    QToolButton* hideButton() const { return button; }
    GammaPanel* Picker() const { return picker; }
    ColorSwatch* ForegroundTarget() const { return foregroundTarget; }
    ColorSwatch* BackgroundTarget() const { return backgroundTarget; }
    // The targets take the picker's current colours.
    void PaintTargets();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolButton* button;
    GammaPanel* picker;
    ColorSwatch* foregroundTarget;
    ColorSwatch* backgroundTarget;
};

// The file tabs bar along the bottom: a scroll box holding the tab strip,
// without a vertical scroll bar, scrolling 68 pixels per step.
class FileTabsBar : public QScrollArea {
    Q_OBJECT
public:
    static constexpr int kNarrowHeight = 29;
    static constexpr int kWideHeight = 49;
    explicit FileTabsBar(TabStrip* strip, QWidget* parent = nullptr);

    // 49 high when the strip is wider than the bar (room for the scroll bar),
    // 29 when narrower, unchanged when both are equally wide.
    void applyHeightRule();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    TabStrip* tabStrip;
};
