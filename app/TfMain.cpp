#include "TfMain.h"

#include "FileCommands.h"
#include "LightPalette.h"
#include "MainTexts.h"
#include "MainWindowBuilder.h"
#include "NumberListMenu.h"
#include "PlainMessageBox.h"
#include "SetupSheetAction.h"
#include "TransferCommands.h"
#include "config/ClearConfiguration.h"
#include "transfer/TransferSequence.h"
#include "transfer/uRead.h"
#include "transfer/uSend.h"
#include "widgets/ScreenPlacement.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

namespace qolmex {

TfMain::TfMain(D2xxLibrary* device, QWidget* parent)
    : QWidget(parent), timer1_(new QTimer(this)),
      showMessage_([this](const QString& text) { showPlainMessage(this, text); }),
      files_(std::make_unique<FileCommands>(*this)),
      setupSheet_(std::make_unique<SetupSheetAction>()),
      setupSheetAction_(new QAction(texts::qt(captions::setupSheet) + u'…', this)) {
    setObjectName(QStringLiteral("fMain"));
    setWindowTitle(texts::caption);
    QFont font;
    // Where the window's own font is missing, a sans serif of the same width keeps every
    // label within its place.
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Arial")});
    font.setPointSize(8);
    setFont(font);
    setPalette(lightPalette()); // before the groups, which take it over with their own backgrounds
    setAutoFillBackground(true);
    resize(800, 600);
    placeOnScreen();

    MainWindowBuilder(*this, config_, binding_).build();
    connectButton("btnClear", &TfMain::btnClearClick);
    connectButton("btnSave", &TfMain::btnSaveClick);
    connectButton("btnOpen", &TfMain::btnOpenClick);
    connectButton("btnSend", &TfMain::btnSendClick);
    connectButton("btnRead", &TfMain::btnReadClick);
    numberListMenu_ = std::make_unique<NumberListMenu>(*this);
    setupSheetAction_->setObjectName(QStringLiteral("actSetupSheet"));
    setupSheetAction_->setShortcut(QKeySequence::Print);
    addAction(setupSheetAction_);
    connect(setupSheetAction_, &QAction::triggered, this, &TfMain::saveSetupSheet);
    focusFirstField();

    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(int(TransferSequence::replyTimerInterval.count()));
    connect(timer1_, &QTimer::timeout, this, &TfMain::Timer1Timer);
    FormCreate();

    // The progress dialogs come after the window, hidden until a transfer shows them.
    transfers_ = std::make_unique<TransferCommands>(*this, device);
}

TfMain::~TfMain() = default;

void TfMain::connectButton(const char* name, void (TfMain::*handler)()) {
    auto* button = findChild<QPushButton*>(QString::fromLatin1(name));
    connect(button, &QPushButton::clicked, this, handler);
}

QWidget* TfMain::control(std::string_view fieldName) const {
    const auto id = config_.find(fieldName);
    return id ? binding_.control(*id) : nullptr;
}

// Clear touches only the fields; the pages each pager shows stay.
void TfMain::btnClearClick() {
    clearConfiguration(config_);
}
void TfMain::btnSaveClick() {
    files_->save();
}
void TfMain::btnOpenClick() {
    files_->open();
}
void TfMain::btnSendClick() {
    transfers_->send();
}
void TfMain::btnReadClick() {
    transfers_->read();
}

void TfMain::Timer1Timer() {
    transferState_.ReplyTimedOut = true;
}

void TfMain::FormCreate() {
    transferState_.DeviceConnected = false;
}

void TfMain::saveSetupSheet() {
    setupSheet_->run(this, config_, showMessage_);
}

void TfMain::contextMenuEvent(QContextMenuEvent* event) {
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addAction(setupSheetAction_);
    menu->popup(event->globalPos());
}

TfSend& TfMain::fSend() {
    return transfers_->fSend();
}
TfRead& TfMain::fRead() {
    return transfers_->fRead();
}

void TfMain::setTitleNote(const QString& note) {
    setWindowTitle(texts::caption + QStringLiteral(" (") + note + u')');
    fSend().setTitleNote(note);
    fRead().setTitleNote(note);
}

// At 202, 216 where the whole window fits the screen beside the desktop's panels; on a smaller
// or scaled screen moved up and left just as far as needed, so Send and Read stay reachable.
void TfMain::placeOnScreen() {
    const QPoint home(202, 216);
    QRect frame = frameGeometry();
    frame.moveTopLeft(home);
    move(keptWithin(frame, availableAreaAt(home)));
}

// A window manager adds the frame only once the window is shown: then it is placed once more,
// frame included.
void TfMain::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (!framed_ && frameGeometry().size() != size()) {
        framed_ = true;
        placeOnScreen();
    }
}

void TfMain::closeEvent(QCloseEvent* event) {
    if (transfers_->running())
        event->ignore();
    else
        event->accept();
}

// The first digits typed go into the first field of the tab order, not into a pager's tabs.
void TfMain::focusFirstField() {
    for (QWidget* w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabledTo(this) && w->isVisibleTo(this) &&
            config_.find(w->objectName().toStdString())) {
            w->setFocus();
            return;
        }
    }
}

void TfMain::showField(FieldId id) {
    QWidget* target = binding_.control(id);
    if (!target)
        return;
    // Every pager on the way up shows the page that holds the field; a page sits in its
    // pager's stacked widget.
    for (QWidget* page = target; page && page != this; page = page->parentWidget()) {
        QWidget* stack = page->parentWidget();
        auto* pager = stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
        if (pager && pager->indexOf(page) >= 0)
            pager->setCurrentWidget(page);
    }
    if (target->isVisibleTo(this))
        target->setFocus();
}

} // namespace qolmex
