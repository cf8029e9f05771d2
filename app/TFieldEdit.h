#pragma once

#include "KeyFilter.h"

#include <QLineEdit>

class QMenu;

namespace qolmex {

// The one-line edit of a phone number or a DTMF code: a typed character passes the filter
// or is dropped without a sound, and typing or pasting stops at the limit. A text set
// whole (by Clear, Open or Read) is never cut or filtered.
class TFieldEdit : public QLineEdit {
    Q_OBJECT
public:
    TFieldEdit(KeyFilter filter, int typingLimit, QWidget* parent = nullptr);

    int typingLimit() const { return typingLimit_; }

    // The context menu, whose paste keeps the limit.
    QMenu* createContextMenu();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void pasteWithinLimit();

    KeyFilter filter_;
    int typingLimit_;
};

} // namespace qolmex
