#pragma once

#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace qolmex {

// A flat push button that keeps clicking while it is held down: the first repeat comes
// 400 ms after the press, then one every 100 ms, and releasing over the button clicks once
// more. While the pointer is off the button it shows raised and does not repeat. Once the
// button loses the mouse (a popup opens), is hidden or disabled, the press is over.
class TTimerSpeedButton : public QWidget {
    Q_OBJECT
public:
    static constexpr int firstRepeatMs = 400;
    static constexpr int repeatMs = 100;

    explicit TTimerSpeedButton(QWidget* parent = nullptr);

    void setGlyph(const QPixmap& glyph);
    const QPixmap& glyph() const { return glyph_; }

    bool isDown() const { return down_; }

    // Whether this button draws the focus rectangle while its spin button has the focus.
    bool focusMarked() const { return focusMarked_; }
    void setFocusMarked(bool marked);

    bool repeatAllowed() const { return repeatAllowed_; }
    void setRepeatAllowed(bool allowed) { repeatAllowed_ = allowed; }

    // The widget that takes the keyboard focus on a press, if it can and has not got it.
    void setFocusControl(QWidget* control) { focusControl_ = control; }

    // The repeat timer, for a look at its state; it exists from the first press on.
    const QTimer* repeatTimer() const { return repeatTimer_; }

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void repeat();
    // Whether the press still owns the mouse: no popup or other widget has taken it since.
    bool holdsMouse() const;
    // The press is over without a click: the mouse went elsewhere, or the button away.
    void letGo();
    void setDown(bool down);
    bool drawsFocus() const;

    QPixmap glyph_;
    QTimer* repeatTimer_ = nullptr;
    QPointer<QWidget> focusControl_;
    bool down_ = false;
    bool holding_ = false; // pressed here and not yet released: the mouse is ours
    bool focusMarked_ = false;
    bool repeatAllowed_ = false;
};

} // namespace qolmex
