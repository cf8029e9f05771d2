#pragma once

#include "app/TfMain.h"

#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace qolmex {

// A shown and active main window, and its controls by field name.
class MainWindowFixture : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<TfMain>();
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    Configuration& config() { return window->configuration(); }

    template <typename Control = QWidget>
    Control* control(std::string_view name) {
        auto* found = qobject_cast<Control*>(window->control(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    std::unique_ptr<TfMain> window;
};

} // namespace qolmex
