#pragma once

#include "config/Configuration.h"

#include <QObject>

#include <vector>

class QAbstractButton;
class QLineEdit;
class QWidget;

namespace qolmex {

class TSmsMemo;

// Ties each control to its field of the record. The control mirrors the field whoever
// changes it (text, enabled state with its background, choice); the record hears from a
// control only when the user changed it, so a field nobody edits keeps its bytes exactly.
class FieldBinding : public QObject, public ConfigurationObserver {
    Q_OBJECT
public:
    explicit FieldBinding(Configuration& config);
    ~FieldBinding() override;
    FieldBinding(const FieldBinding&) = delete;
    FieldBinding& operator=(const FieldBinding&) = delete;

    // Phone numbers, DTMF codes and whole numbers; SMS texts; polarity buttons.
    void bind(FieldId id, QLineEdit* edit);
    void bind(FieldId id, TSmsMemo* memo);
    void bind(FieldId id, QAbstractButton* choice);

    QWidget* control(FieldId id) const { return controls_.at(id); }

    void fieldChanged(FieldId id) override;

private:
    void attach(FieldId id, QWidget* control);
    void writeText(FieldId id, const QString& text);
    void showEnabled(FieldId id);

    Configuration& config_;
    std::vector<QWidget*> controls_; // by field; null until bound
    bool mirroring_ = false;         // a change the binding itself makes goes nowhere
};

} // namespace qolmex
