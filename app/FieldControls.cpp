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

} // namespace

QWidget* createFieldControl(const FieldDef& field, QWidget* parent) {
    QWidget* control = create(field, parent);
    control->setObjectName(QString::fromStdString(field.name));
    control->setToolTip(texts::hintOf(field));
    return control;
}

} // namespace qolmex
