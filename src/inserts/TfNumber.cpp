#include "TfNumber.h"

#include "EditorControl.h"
#include "Language.h"
#include "ListHtml.h"
#include "Prompts.h"
#include "SpinField.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kPictureWidth = 56;
constexpr int kPictureHeight = 52;

// Three list items of a style: the marker and a grey bar for the item text.
QPixmap ListPicture(ListKind kind, int style) {
    static const char16_t* const markers[][3] = {{u"1.", u"2.", u"3."},
                                                 {u"a.", u"b.", u"c."},
                                                 {u"A.", u"B.", u"C."},
                                                 {u"i.", u"ii.", u"iii."},
                                                 {u"I.", u"II.", u"III."}};
    QPixmap picture(kPictureWidth, kPictureHeight);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font = painter.font();
    font.setPixelSize(11);
    painter.setFont(font);
    const int markerWidth = kind == ListKind::Numbers ? 22 : 12;
    for (int line = 0; line < 3; ++line) {
        const int top = 4 + line * 16;
        const QRect marker(3, top, markerWidth, 14);
        painter.setPen(Qt::black);
        painter.setBrush(Qt::NoBrush);
        if (kind == ListKind::Numbers) {
            painter.drawText(marker, Qt::AlignRight | Qt::AlignVCenter,
                             QString::fromUtf16(markers[style][line]));
        } else {
            const QRectF dot(marker.center().x() - 3.5, marker.center().y() - 3.5, 7, 7);
            if (style == 0) {
                painter.setBrush(Qt::black);
                painter.drawEllipse(dot);
            } else if (style == 1) {
                painter.drawEllipse(dot);
            } else {
                painter.fillRect(dot, Qt::black);
            }
        }
        painter.fillRect(QRect(marker.right() + 5, top + 5, kPictureWidth - marker.right() - 10, 4),
                         QColor(0xA0, 0xA0, 0xA0));
    }
    return picture;
}

} // namespace

TfNumber::TfNumber(ListKind kind, QWidget* parent) : ButtonClosedDialog(parent), kind(kind) {
    const bool numbers = kind == ListKind::Numbers;
    setObjectName(QStringLiteral("fNumber"));
    setWindowTitle(numbers ? QStringLiteral("Add numbers or letters to the document ...")
                           : QStringLiteral("Add bullets or circles to the document ..."));
    setModal(true);

    auto* properties = new QGroupBox(QStringLiteral("Properties"), this);
    properties->setObjectName(QStringLiteral("GroupBox1"));
    itemsField = new SpinField(1, properties);
    itemsField->setObjectName(QStringLiteral("SpinEdit1"));
    startField = new SpinField(1, properties);
    startField->setObjectName(QStringLiteral("SpinEdit2"));
    auto* itemsLabel = new QLabel(QStringLiteral("Items"), properties);
    itemsLabel->setBuddy(itemsField);
    auto* startLabel = new QLabel(QStringLiteral("Start from"), properties);
    startLabel->setObjectName(QStringLiteral("StartLabel"));
    startLabel->setBuddy(startField);
    auto* propertiesLayout = new QFormLayout(properties);
    propertiesLayout->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    propertiesLayout->addRow(itemsLabel, itemsField);
    propertiesLayout->addRow(startLabel, startField);
    startField->setVisible(numbers);
    startLabel->setVisible(numbers);

    // Both style groups exist; the one of the other kind stays hidden.
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(properties);
    const struct {
        ListKind kind;
        const char16_t* name;
        QStringList types;
    } groups[] = {{ListKind::Numbers, u"GroupBox2", NumberedListTypes()},
                  {ListKind::Bullets, u"GroupBox3", BulletListTypes()}};
    for (const auto& group : groups) {
        auto* box = new QGroupBox(QStringLiteral("List type"), this);
        box->setObjectName(QString::fromUtf16(group.name));
        auto* grid = new QGridLayout(box);
        for (int style = 0; style < group.types.size(); ++style) {
            const QString type = group.types[style];
            auto* picture = new QToolButton(box);
            picture->setObjectName(QStringLiteral("Picture%1").arg(style + 1));
            picture->setIcon(QIcon(ListPicture(group.kind, style)));
            picture->setIconSize(QSize(kPictureWidth, kPictureHeight));
            picture->setToolTip(type);
            auto* radio = new QRadioButton(box);
            radio->setObjectName(QStringLiteral("Radio%1").arg(style + 1));
            radio->setAccessibleName(type);
            grid->addWidget(picture, 0, style, Qt::AlignHCenter);
            grid->addWidget(radio, 1, style, Qt::AlignHCenter);
            connect(picture, &QToolButton::clicked, this,
                    [this, radio, type] { choose(radio, type); });
            connect(radio, &QRadioButton::clicked, this,
                    [this, radio, type] { choose(radio, type); });
        }
        box->setVisible(group.kind == kind);
        layout->addWidget(box);
    }

    auto* okButton = new QPushButton(QStringLiteral("Ok"), this);
    okButton->setObjectName(QStringLiteral("Button1"));
    okButton->setDefault(true);
    auto* cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    cancelButton->setObjectName(QStringLiteral("Button2"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(okButton, &QPushButton::clicked, this, &TfNumber::confirm);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

int TfNumber::Items() const {
    return itemsField->Value();
}

int TfNumber::Start() const {
    return startField->Value();
}

QString TfNumber::ListText() const {
    return kind == ListKind::Numbers ? NumberedListHtml(listType, Start(), Items())
                                     : BulletListHtml(listType, Items());
}

void TfNumber::closeEvent(QCloseEvent* event) {
    event->ignore();
}

void TfNumber::choose(QRadioButton* radio, const QString& type) {
    radio->setChecked(true);
    listType = type;
}

void TfNumber::confirm() {
    if (listType.isEmpty()) {
        CurrentPrompts().message(MessageKind::Information, LangText(QStringLiteral("ListType")));
        return;
    }
    accept();
}

void RunListCommand(ListKind kind, EditorControl* target) {
    TfNumber dialog(kind, target ? target->window() : nullptr);
    if (CurrentPrompts().runDialog(dialog) == QDialog::Accepted && target)
        target->ReplaceSelection(dialog.ListText());
}
