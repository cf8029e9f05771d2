#include "MainWindowBuilder.h"

#include "FieldBinding.h"
#include "FieldControls.h"
#include "MainTexts.h"
#include "PageBuilder.h"
#include "TSmsMemo.h"
#include "CompactTabStyle.h"
#include "config/Configuration.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace qolmex {
namespace {

const QColor pink(0xFF, 0xE1, 0xE6);
const QColor yellow(0xFF, 0xFF, 0xDF);
const QColor blue(0xDF, 0xDF, 0xFF);

struct ButtonLook {
    int x;
    QColor text;
    int fontPixels; // 0: the window's own size
};

// In focus order: Clear, Save, Open, Send, Read. The desktop colour has no palette role;
// current systems report black for it.
const ButtonLook buttonLooks[5] = {
    {328, QColor(0x00, 0x80, 0x80), 0},
    {432, QColor(Qt::black), 0},
    {520, QColor(0x00, 0x80, 0xFF), 0},
    {712, QColor(0xFF, 0x00, 0x80), 15},
    {624, QColor(0xAF, 0x69, 0x01), 0},
};

constexpr int memoHeightSmall = 46;
constexpr int memoHeightLarge = 62;

} // namespace

MainWindowBuilder::MainWindowBuilder(QWidget& window, Configuration& config, FieldBinding& binding)
    : window_(window), config_(config), binding_(binding) {}

void MainWindowBuilder::build() {
    outputNumbers();
    outputSms();
    statusSms();
    inputs();
    buttons();
}

QGroupBox* MainWindowBuilder::group(const QString& title, QRect place, QColor background) {
    auto* box = new QGroupBox(title, &window_);
    box->setGeometry(place);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Window, background);
    box->setPalette(palette);
    box->setAutoFillBackground(true);
    return box;
}

QTabWidget* MainWindowBuilder::pager(QGroupBox& box) {
    auto* layout = new QVBoxLayout(&box);
    layout->setContentsMargins(3, 3, 3, 3);
    auto* tabs = new QTabWidget(&box);
    tabs->setUsesScrollButtons(false);
    tabs->setElideMode(Qt::ElideNone);
    layout->addWidget(tabs);
    return tabs;
}

QWidget* MainWindowBuilder::page(QTabWidget& tabs, const QString& caption, const QString& hint) {
    auto* page = new QWidget;
    page->setToolTip(hint);
    tabs.addTab(page, caption);
    return page;
}

QWidget* MainWindowBuilder::control(std::string_view name, QWidget& parent) {
    const FieldId id = config_.id(name);
    QWidget* widget = createFieldControl(config_.definition(id), &parent);
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        binding_.bind(id, edit);
    else if (auto* memo = qobject_cast<TSmsMemo*>(widget))
        binding_.bind(id, memo);
    else if (auto* choice = qobject_cast<QAbstractButton*>(widget))
        binding_.bind(id, choice);
    return widget;
}

void MainWindowBuilder::positions(PageBuilder& builder, ListId list, bool spaced,
                                  int rowsPerColumn) {
    const NumberList& numbers = numberList(list);
    for (int k = 1; k <= numbers.size; ++k) {
        const std::string name = std::string(numbers.prefix) + std::to_string(k);
        builder.row(texts::positionLabel(k, spaced), control(name, builder.page()),
                    (k - 1) / rowsPerColumn);
    }
}

void MainWindowBuilder::outputNumbers() {
    QGroupBox* box = group(texts::outputNumbersGroup, {351, 0, 441, 553}, blue);
    box->setToolTip(texts::outputNumbersGroupHint);
    QTabWidget* tabs = pager(*box);
    tabs->setObjectName(QStringLiteral("pagerOutputNumbers"));
    tabs->setToolTip(texts::outputNumbersPagerHint);
    auto* compact = new CompactTabStyle;
    compact->setParent(tabs);
    tabs->tabBar()->setStyle(compact);
    constexpr int rowsPerColumn = 22;
    for (int output = 0; output < 2; ++output) {
        PageBuilder builder(*page(*tabs, texts::ringPage[output], texts::ringPageHint[output]), 3);
        positions(builder, output == 0 ? ListId::POV1 : ListId::POV2, true, rowsPerColumn);
        builder.stretch();
    }
    for (int output = 0; output < 2; ++output) {
        // Three column blocks as on the ring pages, so the edits keep the same width.
        PageBuilder builder(
            *page(*tabs, texts::smsNumbersPage[output], texts::smsNumbersPageHint[output]), 3);
        positions(builder, output == 0 ? ListId::POO1 : ListId::POO2);
        builder.stretch();
    }
}

void MainWindowBuilder::outputSms() {
    QTabWidget* tabs = pager(*group(texts::outputSmsGroup, {177, 304, 175, 249}, blue));
    tabs->setObjectName(QStringLiteral("pagerOutputSms"));
    for (int output = 0; output < 2; ++output) {
        PageBuilder builder(*page(*tabs, texts::outputSmsPage[output]));
        const std::string n = std::to_string(output + 1);
        for (const char* stem : {"memoSMSZAP", "memoSMSVYP"}) {
            QWidget* memo = control(stem + n, builder.page());
            memo->setFixedHeight(memoHeightLarge);
            builder.row(stem == std::string("memoSMSZAP") ? texts::smsOn : texts::smsOff, memo);
        }
        builder.line(texts::relayTime, control("SpinCASRELE" + n, builder.page()));
        for (const char* stem : {"MemoDTMFZAP", "MemoDTMFVYP"})
            control(stem + n, builder.page());
        builder.stretch();
    }
}

void MainWindowBuilder::statusSms() {
    QGroupBox* box = group(texts::statusGroup, {177, 0, 175, 305}, yellow);
    box->setToolTip(texts::statusGroupHint);
    PageBuilder builder(*box);
    positions(builder, ListId::TCZSSMS, false);
    builder.line(texts::interval, control("spinINTERVAL", *box), texts::days);
    builder.line(texts::hourOfDay, control("spinCAS", *box), texts::hours);
    builder.line(texts::credit, control("spinKREDIT", *box), texts::euro);
    builder.stretch();
}

void MainWindowBuilder::inputs() {
    QTabWidget* tabs = pager(*group(texts::inputsGroup, {0, 0, 177, 573}, pink));
    tabs->setObjectName(QStringLiteral("pagerInputs"));
    for (int input = 0; input < 2; ++input) {
        PageBuilder builder(*page(*tabs, texts::inputPage[input]));
        QWidget& p = builder.page();
        const std::string n = std::to_string(input + 1);
        positions(builder, input == 0 ? ListId::TCV1 : ListId::TCV2);
        for (const char* stem : {"memoSMSV", "memoSMSNV"}) {
            QWidget* memo = control(stem + n, p);
            memo->setFixedHeight(memoHeightSmall);
            builder.row(stem == std::string("memoSMSV") ? texts::smsOnActivation
                                                         : texts::smsOnDeactivation,
                        memo);
        }
        builder.heading(texts::soundNumbers);
        positions(builder, input == 0 ? ListId::PZS1 : ListId::PZS2);
        builder.heading(texts::polarity);
        QWidget* closing = control("rbVST" + n + "_1", p); // created first, focused first
        builder.sideBySide(closing, control("rbVST" + n + "_2", p));
        builder.line(texts::delay, control("spinDELAY" + n, p));
        builder.stretch();
    }
}

void MainWindowBuilder::buttons() {
    for (int i = 0; i < 5; ++i) {
        const captions::ButtonText& text = captions::buttons[static_cast<std::size_t>(i)];
        const ButtonLook& look = buttonLooks[i];
        auto* button = new QPushButton(texts::qt(text.caption), &window_);
        button->setObjectName(texts::qt(text.name));
        button->setToolTip(texts::qt(text.hint));
        button->setGeometry(look.x, 553, 73, 20);
        QFont font = window_.font();
        font.setBold(true);
        if (look.fontPixels)
            font.setPixelSize(look.fontPixels);
        button->setFont(font);
        // Its colour only while it takes clicks; disabled it greys as every other control.
        QPalette palette = button->palette();
        for (auto group : {QPalette::Active, QPalette::Inactive})
            palette.setColor(group, QPalette::ButtonText, look.text);
        button->setPalette(palette);
    }
}

} // namespace qolmex
