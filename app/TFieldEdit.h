#pragma once

#include "KeyFilter.h"

#include <QClipboard>
#include <QLineEdit>
#include <functional>

class QMenu;

namespace qolmex {

// The one-line edit of a phone number or a DTMF code: a typed character (from a key or an
// input method) passes the filter or is dropped without a sound, and typing or pasting (also
// the middle-button paste) stops at the limit. A text set
// whole (by Clear, Open or Read) is never cut or filtered.
class TFieldEdit : public QLineEdit {
    Q_OBJECT
public:
    TFieldEdit(KeyFilter filter, int typingLimit, QWidget* parent = nullptr);

    KeyFilter keyFilter() const { return filter_; }
    int typingLimit() const { return typingLimit_; }

    // Entries of the field's own after the usual ones (those of the number lists).
    using MenuExtension = std::function<void(QMenu&)>;
    void setMenuExtension(MenuExtension extension) { menuExtension_ = std::move(extension); }

    // The context menu, whose paste keeps the limit.
    QMenu* createContextMenu();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int room() const;
    void pasteWithinLimit(QClipboard::Mode mode = QClipboard::Clipboard);

    KeyFilter filter_;
    int typingLimit_;
    MenuExtension menuExtension_;
};

} // namespace qolmex
