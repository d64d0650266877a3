#pragma once

#include <QToolButton>
#include <QWidget>

class TabStrip;

// The tab of one document window on the main window's tab strip: a flat
// button, 9 pixels wide per character of its caption, at most 20 high. All
// tabs form one group in which pressing one releases the others, and all may
// be up.
class DocumentTab : public QToolButton {
    Q_OBJECT
public:
    static constexpr int kPixelsPerCharacter = 9;
    static constexpr int kHeight = 20;
    static inline const QColor kEditedColor = QColor(0, 0, 128);

    DocumentTab(const QString& caption, TabStrip& strip);
    ~DocumentTab() override;

    QString Caption() const { return text(); }
    // The caption alone, or the caption and a width to match it.
    void SetCaption(const QString& caption);
    void SetCaptionAndWidth(const QString& caption);

    bool IsPressed() const { return isChecked(); }
    // Presses this tab and releases every other.
    void Press();
    QColor FontColor() const { return fontColor; }
    void SetFontColor(const QColor& color);

private:
    TabStrip& strip;
    QColor fontColor = Qt::black;
};

// The strip of document tabs. New tabs go to its right end; its width grows
// by a tab's width when the tab is created and shrinks by 9 times the tab's
// caption length when its document window closes.
class TabStrip : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHeight = 29;
    explicit TabStrip(QWidget* parent = nullptr);

    int StripWidth() const { return width(); }
    void SetStripWidth(int width);
    QList<DocumentTab*> Tabs() const { return tabs; }

    void Add(DocumentTab* tab);
    void Remove(DocumentTab* tab);
    void ReleaseAllBut(const DocumentTab* tab);

signals:
    // A right click on the strip, in the strip's coordinates.
    void menuRequested(const QPoint& position);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    void layoutTabs();

    QList<DocumentTab*> tabs;
};
