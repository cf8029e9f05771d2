#pragma once

#include "config/FixedPoint.h"

#include <QClipboard>
#include <QLineEdit>

class QMenu;

namespace qolmex {

class TSpinButton;

// A one-line numeric field with arrow buttons. The text is the value's only store: reading
// the value parses the text, setting it writes the limited number into the text. Only
// digits and control keys can be typed, by keys or an input method; out-of-range numbers are
// limited when the value is set (steps included) and when the field is left, never while
// typing nor while a menu or another window has the focus for a while.
class TRealSpinEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TRealSpinEdit(QWidget* parent = nullptr);

    // The number of the text, or the minimum when the text is not a number.
    Fixed value() const;
    void setValue(Fixed value);

    // Equal limits mean no limits.
    Fixed minValue() const { return minValue_; }
    void setMinValue(Fixed value) { minValue_ = value; }
    Fixed maxValue() const { return maxValue_; }
    void setMaxValue(Fixed value) { maxValue_ = value; }
    Fixed increment() const { return increment_; }
    void setIncrement(Fixed value) { increment_ = value; }

    // Whether the user may type, paste and cut; the arrows step either way.
    bool editorEnabled() const { return editorEnabled_; }
    void setEditorEnabled(bool enabled) { editorEnabled_ = enabled; }

    // Selects the whole text when the field is entered other than by a click on it.
    bool autoSelect() const { return autoSelect_; }
    void setAutoSelect(bool on) { autoSelect_ = on; }

    // Most characters the user may type or paste; 0 means no limit. Unlike the line edit's
    // own maximum, it never cuts a text that is set whole.
    int typingLimit() const { return typingLimit_; }
    void setTypingLimit(int limit) { typingLimit_ = limit; }

    Fixed clampValue(Fixed value) const;

    // Whether a typed character may reach the text; a refused one beeps.
    virtual bool acceptsKey(int c) const;
    // A step on a read-only field only beeps.
    virtual void stepUp();
    virtual void stepDown();

    TSpinButton* button() const { return button_; }

    // The edit's context menu, with paste and cut following the editor's state.
    QMenu* createContextMenu();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool mayChangeText() const { return editorEnabled_ && !isReadOnly(); }
    int room() const;
    void pasteWithinLimit(QClipboard::Mode mode = QClipboard::Clipboard);
    void updateMinimumHeight();
    void placeButton();

    TSpinButton* button_;
    Fixed minValue_ = 0;
    Fixed maxValue_ = 0;
    Fixed increment_ = fixedScale;
    bool editorEnabled_ = true;
    bool autoSelect_ = true;
    int typingLimit_ = 0;
};

} // namespace qolmex
