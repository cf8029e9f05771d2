#pragma once

#include "config/Configuration.h"

class QMenu;

namespace qolmex {

class TFieldEdit;
class TfMain;

// "Vložiť zoznam čísel" and "Kopírovať zoznam" in the context menu of every phone-number
// position of the window: numbers copied from a spreadsheet into the list from that position
// on, and the list's numbers out, one a line.
class NumberListMenu {
public:
    explicit NumberListMenu(TfMain& window);

    // What the two entries do.
    void paste(TFieldEdit& edit, FieldId position);
    void copy(FieldId position);

private:
    void addEntries(QMenu& menu, TFieldEdit& edit, FieldId position);

    TfMain& window_;
};

} // namespace qolmex
