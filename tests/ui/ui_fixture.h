#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/app_window_win.h"

namespace uitest {

// The settings file of the whole test run.
std::wstring IniPath();
// WinFBE.ini as WinFBE writes it: UTF-16LE with a byte-order mark, CRLF line ends.
void WriteWinFbeIni(const std::wstring& switches, const std::wstring& compilerPath);
std::wstring ReadSwitches();
bool ProgramFileExists(const wchar_t* name);
void DeleteProgramFile(const wchar_t* name);

// A window of class "WinFBE_Class" in this process, standing in for WinFBE; it records the
// keys it receives.
class WinFbeWindow {
public:
    WinFbeWindow();
    ~WinFbeWindow();
    WinFbeWindow(const WinFbeWindow&) = delete;
    WinFbeWindow& operator=(const WinFbeWindow&) = delete;
    HWND Handle() const { return window_; }
    void Destroy();

    struct Key {
        UINT message;
        WPARAM virtualKey;
        int scanCode;
    };
    static std::vector<Key>& Keys();

private:
    HWND window_ = nullptr;
};

// The main window built in-process from presets, in the given layout, beside a stand-in
// WinFBE, with no flag or position file in the program's folder.
class MainWindowHost {
public:
    MainWindowHost(const std::vector<std::wstring>& presets, bool large);
    ~MainWindowHost();
    MainWindowHost(const MainWindowHost&) = delete;
    MainWindowHost& operator=(const MainWindowHost&) = delete;

    HWND Main() const;
    HWND Item(int id) const { return GetDlgItem(Main(), id); }
    bool Checked(int id) const;
    void SetChecked(int id, bool checked) const;
    LRESULT Command(int id, int notification = BN_CLICKED) const;
    WinFbeWindow& WinFbe() { return winFbe_; }
    AppWindow& App() { return *app_; }

private:
    WinFbeWindow winFbe_;
    std::unique_ptr<AppWindow> app_;
};

// Dispatches this thread's messages for about ms milliseconds.
void Pump(DWORD ms);

// Runs action on a thread timer inside whatever modal loop runs next, once the condition
// finds its window; the action gets that window.
void WhenWindowAppears(bool (*find)(HWND*), void (*action)(HWND));
// A visible top-level window of this thread with this title other than the main window.
HWND FindThreadWindow(const wchar_t* title);

}  // namespace uitest
