#pragma once

#include "KeyFilter.h"

#include <QPlainTextEdit>

namespace qolmex {

// The multi-line edit of an SMS text: a typed character, from a key or an input method alike,
// passes the filter or is dropped without a sound (Enter among them, so no line break can be
// typed), and typing or pasting stops at the limit. A text set whole is never cut or filtered.
// Tab moves on.
class TSmsMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    TSmsMemo(KeyFilter filter, int typingLimit, QWidget* parent = nullptr);

    int typingLimit() const { return typingLimit_; }

    // The text exactly as it stands, its line breaks CR LF as the record and the unit hold
    // them; unlike toPlainText, a no-break space stays one.
    QString text() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    int room() const;

    KeyFilter filter_;
    int typingLimit_;
};

} // namespace qolmex
