#include "TChoiceButton.h"

namespace qolmex {

TChoiceButton::TChoiceButton(const QString& text, QWidget* parent) : QRadioButton(text, parent) {
    setAutoExclusive(false);
}

void TChoiceButton::nextCheckState() {
    if (!isChecked())
        setChecked(true);
}

} // namespace qolmex
