#include "ResultsPanel.h"

#include "Language.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

enum Role {
    EmphasisStart = Qt::UserRole + 1,
    EmphasisLength,
    Line,
    Column,
    Length,
    Group,
};

// Draws a row's text with its emphasised part in bold on the highlight
// colour's lighter tone.
class EmphasisDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const int length = index.data(EmphasisLength).toInt();
        if (length <= 0) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        QStyleOptionViewItem item = option;
        initStyleOption(&item, index);
        const QString text = item.text;
        item.text.clear();
        const QWidget* widget = option.widget;
        QStyle* style = widget ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);
        const QRect area =
            style->subElementRect(QStyle::SE_ItemViewItemText, &item, widget).adjusted(2, 0, -2, 0);
        const int start = index.data(EmphasisStart).toInt();
        const QString parts[] = {text.left(start), text.mid(start, length),
                                 text.mid(start + length)};
        const bool selected = option.state & QStyle::State_Selected;
        painter->save();
        painter->setClipRect(area);
        int x = area.left();
        for (int i = 0; i < 3; ++i) {
            QFont font = item.font;
            font.setBold(i == 1);
            const QFontMetrics metrics(font);
            const int width = metrics.horizontalAdvance(parts[i]);
            if (i == 1 && !selected)
                painter->fillRect(QRect(x, area.top() + 1, width, area.height() - 2),
                                  option.palette.highlight().color().lighter(170));
            painter->setFont(font);
            painter->setPen(
                option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
            painter->drawText(QRect(x, area.top(), area.right() - x + 1, area.height()),
                              Qt::AlignLeft | Qt::AlignVCenter, parts[i]);
            x += width;
        }
        painter->restore();
    }

    // Wider by what the bold emphasis adds.
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        const int length = index.data(EmphasisLength).toInt();
        if (length > 0) {
            QFont font = option.font;
            const QString emphasis =
                index.data().toString().mid(index.data(EmphasisStart).toInt(), length);
            const int normal = QFontMetrics(font).horizontalAdvance(emphasis);
            font.setBold(true);
            size.rwidth() += QFontMetrics(font).horizontalAdvance(emphasis) - normal + 4;
        }
        return size;
    }
};

} // namespace

ResultsPanel::ResultsPanel(QWidget* parent) : QDockWidget(parent) {
    setObjectName(QStringLiteral("ResultsPanel"));
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                QDockWidget::DockWidgetFloatable);
    setAllowedAreas(Qt::BottomDockWidgetArea | Qt::TopDockWidgetArea);

    auto* content = new QWidget(this);
    tree = new QTreeWidget(content);
    tree->setObjectName(QStringLiteral("ResultsList"));
    tree->setHeaderHidden(true);
    tree->setColumnCount(1);
    tree->setUniformRowHeights(true);
    tree->setItemDelegate(new EmphasisDelegate(tree));
    tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    tree->header()->setStretchLastSection(false);
    connect(tree, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { activate(item); });

    status = new QLabel(content);
    status->setObjectName(QStringLiteral("ResultsStatus"));
    cancel = new QPushButton(LangText(QStringLiteral("SifCancel")), content);
    cancel->setObjectName(QStringLiteral("ResultsCancel"));
    connect(cancel, &QPushButton::clicked, this, &ResultsPanel::cancelRequested);
    auto* statusLine = new QHBoxLayout;
    statusLine->setContentsMargins(4, 0, 4, 2);
    statusLine->addWidget(status, 1);
    statusLine->addWidget(cancel);
    status->hide();
    cancel->hide();

    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    column->addWidget(tree, 1);
    column->addLayout(statusLine);
    setWidget(content);

    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, &QWidget::hide);
}

void ResultsPanel::Clear(const QString& title) {
    tree->clear();
    groups.clear();
    rowCount = 0;
    SetStatus({}, false);
    SetTitle(title);
    emit contentChanged();
}

void ResultsPanel::SetTitle(const QString& title) {
    setWindowTitle(title);
}

int ResultsPanel::AddGroup(const QString& path, QWidget* document, const QString& caption) {
    auto* item = new QTreeWidgetItem(tree, {caption});
    QFont bold = item->font(0);
    bold.setBold(true);
    item->setFont(0, bold);
    item->setData(0, Group, int(groups.size()));
    item->setExpanded(true);
    groups.push_back({path, document});
    return int(groups.size()) - 1;
}

void ResultsPanel::AddRow(int group, const ResultRow& row) {
    QTreeWidgetItem* parent = tree->topLevelItem(group);
    if (!parent)
        return;
    const QString prefix = QStringLiteral("%1: ").arg(row.line);
    auto* item = new QTreeWidgetItem(parent, {prefix + row.text});
    item->setData(0, EmphasisStart, int(prefix.size()) + row.emphasisStart);
    item->setData(0, EmphasisLength, row.emphasisLength);
    item->setData(0, Line, row.line);
    item->setData(0, Column, row.column);
    item->setData(0, Length, row.length);
    item->setData(0, Group, group);
    ++rowCount;
    emit contentChanged();
}

int ResultsPanel::GroupCount() const {
    return tree->topLevelItemCount();
}

void ResultsPanel::SetStatus(const QString& text, bool cancellable) {
    status->setText(text);
    status->setVisible(!text.isEmpty());
    cancel->setText(LangText(QStringLiteral("SifCancel")));
    cancel->setVisible(!text.isEmpty() && cancellable);
}

QString ResultsPanel::Status() const {
    return status->text();
}

bool ResultsPanel::Step(bool forward) {
    const QList<QTreeWidgetItem*> all = rows();
    if (all.isEmpty())
        return false;
    QTreeWidgetItem* current = tree->currentItem();
    qsizetype at = all.indexOf(current);
    if (at < 0 && current && !current->parent()) {
        // On a group's line: its first row is next, the row before it previous.
        at = all.indexOf(current->child(0));
        at = forward ? at - 1 : at;
    } else if (at < 0) {
        at = forward ? -1 : all.size();
    }
    at = (at + (forward ? 1 : -1) + all.size()) % all.size();
    tree->setCurrentItem(all[at]);
    tree->scrollToItem(all[at]);
    activate(all[at]);
    return true;
}

void ResultsPanel::activate(QTreeWidgetItem* item) {
    if (!item || !item->parent())
        return;
    const int group = item->data(0, Group).toInt();
    if (group < 0 || group >= groups.size())
        return;
    ResultPlace place;
    place.path = groups[group].first;
    place.document = groups[group].second;
    place.line = item->data(0, Line).toInt();
    place.column = item->data(0, Column).toInt();
    place.length = item->data(0, Length).toInt();
    emit activated(place);
}

QList<QTreeWidgetItem*> ResultsPanel::rows() const {
    QList<QTreeWidgetItem*> all;
    for (int g = 0; g < tree->topLevelItemCount(); ++g) {
        QTreeWidgetItem* group = tree->topLevelItem(g);
        for (int r = 0; r < group->childCount(); ++r)
            all << group->child(r);
    }
    return all;
}
