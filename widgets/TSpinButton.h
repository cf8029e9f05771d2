#pragma once

#include <QPointer>
#include <QWidget>

namespace qolmex {

class TTimerSpeedButton;

// A pair of repeating arrow buttons, up over down. Pressing one moves the keyboard focus to
// the focus control (the edit it belongs to). Made a tab stop, it takes Space and the arrow
// keys itself and marks the button last used.
class TSpinButton : public QWidget {
    Q_OBJECT
public:
    static constexpr int minimumWidth = 15;

    explicit TSpinButton(QWidget* parent = nullptr);

    TTimerSpeedButton* upButton() const { return up_; }
    TTimerSpeedButton* downButton() const { return down_; }

    void setUpGlyph(const QPixmap& glyph);
    void setDownGlyph(const QPixmap& glyph);

    // Cleared by itself when the control is destroyed.
    QWidget* focusControl() const { return focusControl_; }
    void setFocusControl(QWidget* control);

    // The arrow images drawn when no other is given: a black triangle, 9 x 6 pixels.
    static QPixmap defaultUpGlyph();
    static QPixmap defaultDownGlyph();

signals:
    void upClick();
    void downClick();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void markAndClick(TTimerSpeedButton* button);
    void placeButtons();

    TTimerSpeedButton* up_;
    TTimerSpeedButton* down_;
    QPointer<QWidget> focusControl_;
};

} // namespace qolmex
