#pragma once

#include "config/NumberList.h"

#include <QColor>
#include <QRect>
#include <QString>

#include <string_view>

class QGroupBox;
class QTabWidget;
class QWidget;

namespace qolmex {

class Configuration;
class FieldBinding;
class PageBuilder;

// Builds the main window's four groups, their pages and the row of buttons, creating every
// field's control from the field table and binding it to the record. Groups are built in
// the order the keyboard focus visits them.
class MainWindowBuilder {
public:
    MainWindowBuilder(QWidget& window, Configuration& config, FieldBinding& binding);

    void build();

private:
    QGroupBox* group(const QString& title, QRect place, QColor background);
    QTabWidget* pager(QGroupBox& group);
    QWidget* page(QTabWidget& pager, const QString& caption, const QString& hint = {});
    QWidget* control(std::string_view name, QWidget& parent);
    // A list's positions top to bottom, wrapping into the next column after rowsPerColumn.
    void positions(PageBuilder& page, ListId list, bool spaced = true, int rowsPerColumn = 64);

    void outputNumbers();
    void outputSms();
    void statusSms();
    void inputs();
    void buttons();

    QWidget& window_;
    Configuration& config_;
    FieldBinding& binding_;
};

} // namespace qolmex
