#include "FieldBinding.h"

#include "LightPalette.h"
#include "TSmsMemo.h"
#include "config/Windows1250.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QScopedValueRollback>

namespace qolmex {
namespace {

QString shown(const std::string& bytes) {
    return QString::fromStdU16String(decodeWindows1250(bytes));
}

// Enabled positions sit on the window colour, disabled ones on the button face, in every
// state of the window so that the colour never lags the enabled state.
void paintBase(QWidget& control, bool enabled) {
    const QColor colour = enabled ? lightColours::window : lightColours::buttonFace;
    QPalette palette = control.palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::Base, colour);
    control.setPalette(palette);
}

} // namespace

FieldBinding::FieldBinding(Configuration& config)
    : config_(config), controls_(config.size(), nullptr) {
    config_.addObserver(*this);
}

FieldBinding::~FieldBinding() { config_.removeObserver(*this); }

void FieldBinding::attach(FieldId id, QWidget* control) {
    controls_.at(id) = control;
    fieldChanged(id);
}

void FieldBinding::bind(FieldId id, QLineEdit* edit) {
    attach(id, edit);
    connect(edit, &QLineEdit::textChanged, this,
            [this, id](const QString& text) { writeText(id, text); });
}

void FieldBinding::bind(FieldId id, TSmsMemo* memo) {
    attach(id, memo);
    connect(memo, &QPlainTextEdit::textChanged, this,
            [this, id, memo] { writeText(id, memo->text()); });
}

void FieldBinding::bind(FieldId id, QAbstractButton* choice) {
    attach(id, choice);
    connect(choice, &QAbstractButton::toggled, this, [this, id](bool checked) {
        if (!mirroring_)
            config_.setChosen(id, checked);
    });
}

void FieldBinding::writeText(FieldId id, const QString& text) {
    if (!mirroring_)
        config_.setText(id, encodeWindows1250(text.toStdU16String()));
}

void FieldBinding::fieldChanged(FieldId id) {
    QWidget* control = controls_.at(id);
    if (!control)
        return;
    QScopedValueRollback<bool> guard(mirroring_, true);
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        const QString text = shown(config_.text(id));
        if (edit->text() != text) // rewriting an equal text would move the cursor
            edit->setText(text);
    } else if (auto* memo = qobject_cast<TSmsMemo*>(control)) {
        const QString text = shown(config_.text(id));
        if (memo->text() != text)
            memo->setPlainText(text);
    } else if (auto* choice = qobject_cast<QAbstractButton*>(control)) {
        choice->setChecked(config_.isChosen(id));
    }
    if (config_.definition(id).list)
        showEnabled(id);
}

void FieldBinding::showEnabled(FieldId id) {
    QWidget& control = *controls_[id];
    const bool enabled = config_.isEnabled(id);
    paintBase(control, enabled);
    control.setEnabled(enabled);
}

} // namespace qolmex
