#pragma once

#include <QStringList>
#include <QWidget>

// A status bar of panels side by side, each with its own width and text; the
// last panel reaches to the right edge.
class StatusPanels : public QWidget {
    Q_OBJECT
public:
    explicit StatusPanels(const QList<int>& widths, QWidget* parent = nullptr);

    int PanelCount() const { return int(texts.size()); }
    QString PanelText(int panel) const { return texts.value(panel); }
    void SetPanelText(int panel, const QString& text);
    int PanelWidth(int panel) const { return widths.value(panel); }
    void SetPanelWidth(int panel, int width);
    // Texts are drawn left-aligned unless a panel is given another alignment.
    void SetPanelAlignment(int panel, Qt::Alignment horizontal);
    // Where the panel is drawn, in the bar's coordinates.
    QRect PanelRect(int panel) const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QList<int> widths;
    QStringList texts;
    QList<Qt::Alignment> alignments;
};
