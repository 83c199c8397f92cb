#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tests/harness/files.h"
#include "tests/harness/unmanaged_windows.h"

// Drives the real program and the stand-in WinFBE from outside, by window messages and files.
namespace e2e {

// The 32-bit compiler of a WinFBE installation; the status bar shows it as
// " fbc 1.10.1 / gcc 9.3.0".
constexpr const wchar_t* REAL_FBC32 =
    L"C:\\WinFBE\\Toolchains\\FreeBASIC-1.10.1-winlibs-gcc-9.3.0\\fbc32.exe";

// Polls the condition (pumping this thread's messages) until it holds or the time is up.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs);

// A fresh installation: <temp>\flg-<folderTag>-<unique>\Tools\{program, Alertkit.dll,
// FlagsmithII.ini} and ...\Settings\WinFBE.ini, with two presets and a line that selects the
// second. The tag may hold letters the ANSI code page cannot name. Removed by the destructor.
class Tree {
public:
    explicit Tree(const std::wstring& programName = L"FlagsmithII.exe",
                  const std::wstring& folderTag = L"e2e");
    ~Tree();
    Tree(const Tree&) = delete;
    Tree& operator=(const Tree&) = delete;

    // Whether the folders and the program's files were all made.
    bool Complete() const;
    const std::wstring& Root() const { return root_; }
    std::wstring Tools() const { return root_ + L"\\Tools"; }
    std::wstring ToolsFile(const std::wstring& name) const { return Tools() + L"\\" + name; }
    std::wstring ProgramPath() const { return ToolsFile(programName_); }
    std::wstring IniPath() const { return root_ + L"\\Settings\\WinFBE.ini"; }
    std::wstring KeyLogPath() const { return root_ + L"\\keys.log"; }

    // The preset file as 8-bit text, exactly these bytes.
    void WritePresets(const std::string& bytes) const;
    // WinFBE.ini with a few other sections and keys around section Compiler. A nullopt value
    // leaves the key out.
    void WriteWinFbeIni(const std::optional<std::wstring>& switches,
                        const std::optional<std::wstring>& fbc32 = std::nullopt) const;
    // Compiler/CompilerSwitches of WinFBE.ini, in whichever encoding the file is.
    std::optional<std::wstring> Switches() const;
    void TouchToolsFile(const std::wstring& name) const;
    bool HasToolsFile(const std::wstring& name) const { return FileExists(ToolsFile(name)); }

private:
    std::wstring root_;
    std::wstring programName_;
};

class Process {
public:
    Process() = default;
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    // show, when not negative, is the launcher's show command (STARTF_USESHOWWINDOW).
    bool Start(const std::wstring& exe,
               const std::wstring& arguments,
               const std::wstring& folder,
               int show = -1);
    // Takes over a process that another program started (the program as WinFBE starts it).
    bool Attach(DWORD pid);
    bool Running() const;
    // The exit code, or nullopt when the process is still running after timeoutMs.
    std::optional<DWORD> WaitExit(DWORD timeoutMs) const;
    void Kill();
    DWORD Id() const { return id_; }

private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

// Private bytes of another process (PROCESS_QUERY_INFORMATION | PROCESS_VM_READ); 0 on failure.
SIZE_T PrivateBytes(DWORD pid);

// The first top-level window of process pid with this class (null: any) and title (null: any),
// visible only when asked.
HWND FindProcessWindow(DWORD pid,
                       const wchar_t* className,
                       const wchar_t* title,
                       bool visibleOnly,
                       const wchar_t* notClassName = nullptr);
HWND WaitForProcessWindow(DWORD pid,
                          const wchar_t* className,
                          const wchar_t* title,
                          bool visibleOnly,
                          DWORD timeoutMs,
                          const wchar_t* notClassName = nullptr);
std::wstring WindowText(HWND window);
POINT TopLeft(HWND window);
bool IsChecked(HWND dialog, int id);
void SetChecked(HWND dialog, int id, bool checked);
// A mouse click on a child control, queued so a message box it opens cannot block the driver.
void PostClick(HWND dialog, int id);
// Returns once `window`'s thread has taken every message sent before (its loop is idle).
bool Sync(HWND window);
// Makes window the foreground window with the keyboard focus (see the focus gap of Wine).
bool BringToFront(HWND window);
// What a person sees: the share (0 to 1) of the window's client area that the screen shows
// in the colour of (its own) face, read back from the screen's pixels.
double ShareShowingFace(HWND window, COLORREF face = GetSysColor(COLOR_BTNFACE));

class StandIn {
public:
    bool Start(const Tree& tree);
    HWND Window() const { return window_; }
    Process& Proc() { return process_; }
    void Minimize() const;
    void Restore() const;
    void Close() const;
    bool HasFocus() const;
    void ClearKeys() const;
    std::vector<std::string> Keys() const;

private:
    Process process_;
    HWND window_ = nullptr;
    std::wstring logPath_;
};

class Program {
public:
    // Starts the program of the tree (ending a copy this object started before); does not
    // wait for any window.
    bool Start(const Tree& tree, int show = -1);
    // The program of process pid, started by someone else; does not wait for any window.
    bool Attach(DWORD pid);
    // The visible main window "FLG", waited for.
    HWND WaitMain(DWORD timeoutMs = 5000);
    HWND Main() const { return main_; }
    // The text of the next "FLG" message box of this process, after clicking its OK button;
    // nullopt when none came within timeoutMs.
    std::optional<std::wstring> DismissBox(DWORD timeoutMs = 5000);
    // The text of a start-up message, after clicking its OK button; nullopt when the main window
    // came first (or nothing within timeoutMs).
    std::optional<std::wstring> DismissStartupBox(DWORD timeoutMs);
    HWND WaitBox(DWORD timeoutMs);
    bool HasBox() const;
    HWND WaitEditWindow(DWORD timeoutMs = 3000);
    std::wstring StatusText() const;
    // The checked option among ids first..last, or 0.
    int CheckedOption(int first, int last) const;
    Process& Proc() { return process_; }

private:
    Process process_;
    HWND main_ = nullptr;
};

}  // namespace e2e
