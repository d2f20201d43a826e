#pragma once
// One application object for a whole test program, started offscreen before the first test over a
// home, settings store and machine-wide store of its own, with the real language libraries of the
// build (KC_TEST_RESOURCE_DIR). Linking SharedAppEnvironment.cpp into a test program registers it.

#include <gtest/gtest.h>

#include "RecordingTestApp.h"

class SharedAppEnvironment : public ::testing::Environment
{
public:
    void SetUp() override;
    void TearDown() override;

    // The program's application object, from the first test to the last.
    static RecordingTestApp* App();
};

inline RecordingTestApp* TheApp()
{
    return SharedAppEnvironment::App();
}
