#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/harness/harness.h"

namespace e2e {

// The switches every line of the tests holds: a line is flags, these, then a preset.
constexpr const wchar_t* BASE_SWITCHES = L"-w all -fpmode fast -fpu sse ";
std::wstring Line(const wchar_t* flags, const std::wstring& preset);
// A text for a test's messages: ASCII as it is, any other letter as '?'.
std::string Narrow(const std::wstring& text);

// The fixture of the tests that drive the real program: a fresh installation for each test,
// and the stand-in WinFBE and the program ended after it; windows unmanaged under Wine for
// the whole suite.
class ProgramTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    // Stand-in first, then the program; true once its main window is visible.
    bool StartBoth();
    HWND Main() const { return program.Main(); }
    // A button of the main window clicked (BM_CLICK, sent).
    void Click(int id) const;
    // The button's command itself, sent; PostCommand queues it, for commands that show a box,
    // which must not block the driver.
    void Command(int id) const;
    void PostCommand(int id) const;

    std::unique_ptr<Tree> tree;
    StandIn standIn;
    Program program;
};

}  // namespace e2e
