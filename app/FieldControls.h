#pragma once

#include "config/FieldDef.h"

class QWidget;

namespace qolmex {

// The control that shows a field of the given kind, named after the field, with its filter,
// typing limit, range and hint, and what a screen reader says of it. Its parent already holds
// the hints of the page and group. DTMF codes get a control that is never shown or announced.
QWidget* createFieldControl(const FieldDef& field, QWidget* parent);

} // namespace qolmex
