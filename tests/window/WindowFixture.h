#pragma once
// A test of the main window: a scratch folder as the current directory, the platform
// calls that Wine cannot show replaced, and the window running.
#include "DialogDriver.h"
#include "FakePlatform.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <memory>

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override { open(); }

    // Starts the program's start-up routine; expectWindow false for a start that fails.
    void open(bool expectWindow = true) {
        driver.reset();
        driver = std::make_unique<DialogDriver>(expectWindow);
    }

    // The application title: the test program's file name without its extension.
    static std::string applicationTitle();

    FakePlatform platform;
    ScratchFolder folder;
    std::unique_ptr<DialogDriver> driver;
};
