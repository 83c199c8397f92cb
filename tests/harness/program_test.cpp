#include "tests/harness/program_test.h"

namespace e2e {
namespace {

constexpr DWORD START_MS = 8000;

UnmanagedWineWindows* g_unmanaged = nullptr;

}  // namespace

std::wstring Line(const wchar_t* flags, const std::wstring& preset) {
    return std::wstring(flags) + BASE_SWITCHES + preset;
}

std::string Narrow(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text)
        out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}

void ProgramTest::SetUpTestSuite() {
    g_unmanaged = new UnmanagedWineWindows;
}

void ProgramTest::TearDownTestSuite() {
    delete g_unmanaged;
    g_unmanaged = nullptr;
}

void ProgramTest::SetUp() {
    tree = std::make_unique<Tree>();
}

void ProgramTest::TearDown() {
    program.Proc().Kill();
    standIn.Proc().Kill();
}

bool ProgramTest::StartBoth() {
    if (!standIn.Start(*tree))
        return false;
    if (!program.Start(*tree))
        return false;
    return program.WaitMain(START_MS) != nullptr;
}

void ProgramTest::Click(int id) const {
    SendMessageW(GetDlgItem(Main(), id), BM_CLICK, 0, 0);
}

void ProgramTest::Command(int id) const {
    SendMessageW(Main(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(Main(), id)));
}

void ProgramTest::PostCommand(int id) const {
    PostMessageW(Main(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(Main(), id)));
}

}  // namespace e2e
