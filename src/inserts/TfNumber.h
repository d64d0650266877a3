#pragma once

#include "TextInserts.h"

#include "DialogParts.h"

class QLabel;
class QRadioButton;
class SpinField;

// The list form, for numbered and for bulleted lists: the number of items,
// the first number (numbered lists only) and a list style, chosen by its
// picture or by the radio button under it. "Ok" without a chosen style asks
// for one and stays open.
class TfNumber : public ButtonClosedDialog {
    Q_OBJECT
public:
    explicit TfNumber(ListKind kind, QWidget* parent = nullptr);

    // The type text of the chosen style; empty while none is chosen.
    QString ListType() const { return listType; }
    int Items() const;
    int Start() const;
    // The list as the choices describe it.
    QString ListText() const;

protected:
    // The form closes only through its buttons.
    void closeEvent(QCloseEvent* event) override;

private:
    void choose(QRadioButton* radio, const QString& type);
    void confirm();

    ListKind kind;
    SpinField* itemsField;
    SpinField* startField;
    QString listType;
};
