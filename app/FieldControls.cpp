#include "FieldControls.h"

#include "MainTexts.h"
#include "TChoiceButton.h"
#include "TFieldEdit.h"
#include "TSmsMemo.h"
#include "config/CharFilters.h"
#include "widgets/TRealSpinEdit.h"

namespace qolmex {
namespace {

QWidget* spinEdit(const FieldDef& field, QWidget* parent) {
    auto* spin = new TRealSpinEdit(parent);
    spin->setMinValue(fixedFromWhole(field.minValue));
    spin->setMaxValue(fixedFromWhole(field.maxValue));
    spin->setTypingLimit(field.typingLimit);
    // Room for the digits it may hold beside the arrows.
    const int digits = spin->fontMetrics().horizontalAdvance(QString(field.typingLimit, '0'));
    spin->setFixedWidth(digits + 26);
    return spin;
}

QWidget* create(const FieldDef& field, QWidget* parent) {
    switch (field.kind) {
    case FieldKind::PhoneNumber: {
        auto* edit = new TFieldEdit(&onlyNumbers, field.typingLimit, parent);
        edit->setFixedHeight(edit->fontMetrics().height() + 7); // 64 rows must fit a page
        return edit;
    }
    case FieldKind::DtmfCode: {
        auto* code = new TFieldEdit(&onlyNumbers, field.typingLimit, parent);
        code->hide(); // kept, saved and sent, but never shown
        return code;
    }
    case FieldKind::SmsText:
        return new TSmsMemo(&onlyText, field.typingLimit, parent);
    case FieldKind::WholeNumber:
        return spinEdit(field, parent);
    case FieldKind::Polarity:
        return new TChoiceButton(field.choice == 1 ? texts::closing : texts::opening, parent);
    }
    return nullptr;
}

// What a screen reader says the field is: where the window shows it, as the window writes it
// ("Tel. čísla pre zasielanie SMS, 1. vstup, 1. číslo"); nothing for a field never shown.
QString accessibleName(const FieldDef& field) {
    return texts::qt(captions::placeName(field));
}

// The hint the pointer shows over a control: its own, else its page's or group's.
QString shownHint(const QWidget& control) {
    for (const QWidget* w = &control; w && !w->isWindow(); w = w->parentWidget())
        if (!w->toolTip().isEmpty())
            return w->toolTip();
    return {};
}

} // namespace

QWidget* createFieldControl(const FieldDef& field, QWidget* parent) {
    QWidget* control = create(field, parent);
    control->setObjectName(QString::fromStdString(field.name));
    control->setToolTip(texts::hintOf(field));
    const QString name = accessibleName(field);
    if (!name.isEmpty()) {
        control->setAccessibleName(name);
        control->setAccessibleDescription(shownHint(*control));
    }
    return control;
}

} // namespace qolmex
