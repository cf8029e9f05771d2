#include "TransferProgressDialog.h"

#include "transfer/TGauge.h"
#include "usb/TransferState.h"
#include "widgets/ScreenPlacement.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QWindow>
#include <algorithm>

namespace qolmex {

TransferProgressDialog::TransferProgressDialog(QWidget* mainWindow, TransferState& state,
                                               const QString& caption)
    // No parent: a child window would be disabled together with the main window. A title bar
    // with nothing on it: no system menu and no close, minimise or maximise button, so the
    // dialog can neither be closed nor minimised away (taking the disabled window with it).
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      mainWindow_(mainWindow), state_(state), caption_(caption) {
    showTitle();
    setModal(false);
    if (mainWindow_) {
        setFont(mainWindow_->font());
        setPalette(mainWindow_->palette()); // its own colours, whatever the desktop's theme
    }

    Label1 = new QLabel(QString::fromUtf8("Prenášajú sa dáta. Prosím, čakajte."), this);
    Label1->setObjectName("Label1");
    Label1->move(80, 16);
    Label1->setMinimumSize(167, 13);
    Label1->adjustSize();

    Gauge1 = new TGauge(this);
    Gauge1->setObjectName("Gauge1");
    Gauge1->setGeometry(40, 40, 252, 20);

    btnCancel = new QPushButton(QStringLiteral("Storno"), this);
    btnCancel->setObjectName("btnCancel");
    btnCancel->setGeometry(128, 56, 75, 25);
    btnCancel->setAutoDefault(false);
    connect(btnCancel, &QPushButton::clicked, this, [this] { btnCancelClick(); });
}

void TransferProgressDialog::showDialog() {
    if (!placed_ && mainWindow_) {
        // Centred over the main window the first time; after that where the user left it.
        const QRect main = mainWindow_->frameGeometry();
        const QSize own = frameGeometry().size();
        move(std::max(0, main.center().x() - own.width() / 2),
             std::max(0, main.center().y() - own.height() / 2));
        placed_ = true;
    }
    if (mainWindow_) // wholly on the screen, also where the user left it if the screen changed
        move(keptWithin(frameGeometry(), mainWindow_->screen()->availableGeometry()));
    standBeforeMainWindow();
    show();
    raise();
}

// Owned by the main window though not its child: the window manager then keeps the dialog
// in front of it, so a click on the disabled window cannot bury Storno.
void TransferProgressDialog::standBeforeMainWindow() {
    if (!mainWindow_)
        return;
    QWidget* main = mainWindow_->window();
    main->winId(); // both native windows must exist to be tied together
    winId();
    windowHandle()->setTransientParent(main->windowHandle());
}

void TransferProgressDialog::hideDialog() {
    hide();
}

void TransferProgressDialog::setCaption(const std::string& caption) {
    caption_ = QString::fromStdString(caption);
    showTitle();
}

void TransferProgressDialog::setTitleNote(const QString& note) {
    note_ = note;
    showTitle();
}

void TransferProgressDialog::showTitle() {
    setWindowTitle(note_.isEmpty() ? caption_ : caption_ + QStringLiteral(" (") + note_ + u')');
}

void TransferProgressDialog::setLabel(const std::string& text) {
    Label1->setText(QString::fromStdString(text));
    Label1->adjustSize();
}

void TransferProgressDialog::setGaugeVisible(bool visible) {
    Gauge1->setVisible(visible);
}

void TransferProgressDialog::setCancelVisible(bool visible) {
    btnCancel->setVisible(visible);
}

void TransferProgressDialog::setProgress(int address) {
    Gauge1->setProgress(address);
}

void TransferProgressDialog::btnCancelClick() {
    state_.DeviceConnected = false;
    state_.BlockConfirmed = true;
    hide();
    if (mainWindow_)
        mainWindow_->setEnabled(true);
}

bool TransferProgressDialog::FormCloseQuery() const {
    return !state_.DeviceConnected;
}

void TransferProgressDialog::closeEvent(QCloseEvent* event) {
    if (FormCloseQuery())
        event->accept();
    else
        event->ignore();
}

void TransferProgressDialog::reject() {
    if (FormCloseQuery())
        QDialog::reject();
}

} // namespace qolmex
