#pragma once

#include <QWidget>

namespace qolmex {

// The progress bar of the transfer dialogs: a navy bar on white with the share done as
// "%d%%", over the unit's block addresses 0..4080.
class TGauge : public QWidget {
public:
    explicit TGauge(QWidget* parent = nullptr);

    int minValue() const { return 0; }
    int maxValue() const { return 4080; }
    int progress() const { return progress_; }
    // Values outside the range show at the nearer end. The bar is redrawn at once when the
    // percentage changes, since the transfer loops leave little room for the event loop.
    void setProgress(int value);
    int percentDone() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int progress_ = 0;
};

} // namespace qolmex
