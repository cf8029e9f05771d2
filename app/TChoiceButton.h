#pragma once

#include <QRadioButton>

namespace qolmex {

// A radio button whose partner is kept by the record, not by Qt: a click only chooses it,
// and the record may leave both buttons of an input unchosen (as a file can).
class TChoiceButton : public QRadioButton {
    Q_OBJECT
public:
    explicit TChoiceButton(const QString& text, QWidget* parent = nullptr);

protected:
    void nextCheckState() override;
};

} // namespace qolmex
