// Measures the program against bare baselines, from outside and by window messages only:
// start-up until the window is visible, CPU time while idle beside the stand-in WinFBE, and
// private memory across many message boxes and edit windows.
//   BenchDriver <program.exe> <floor window.exe> <bare window.exe> <stand-in.exe>
//               <start-up runs> [<Linux /proc as a Windows path> <Unix pid of the wineserver>]
#include <windows.h>
#include <mmsystem.h>
#include <psapi.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <functional>
#include <numeric>
#include <string>
#include <vector>

#include "app/messages.h"
#include "tools/standin/standin_protocol.h"
#include "tools/bench/bench_names.h"
#include "ui/main_window.h"

namespace {

constexpr DWORD POLL_MS = 1;
constexpr DWORD WINDOW_WAIT_MS = 10000;
constexpr DWORD EXIT_WAIT_MS = 5000;
constexpr DWORD SETTLE_MS = 500;
constexpr DWORD IDLE_MS = 10000;
constexpr DWORD SOAK_MS = 60000;
constexpr int SOAK_BOXES = 200;
constexpr int SOAK_EDIT_WINDOWS = 50;
constexpr int IDLE_ROUNDS = 3;
// Start-up is held against the floor (what any program with the same set-up pays), idle CPU
// against the bare window.
constexpr double STARTUP_TARGET_RATIO = 1.1;
constexpr double IDLE_CPU_TARGET_RATIO = 1.1;
constexpr const wchar_t* EDIT_WINDOW_TITLE = L"FLG - Edit";
constexpr int BOX_BUTTON_1 = 1001;
constexpr double HUNDRED_NS_PER_MS = 10000.0;

// ---- figures ----

struct Summary {
    double median = 0;
    double min = 0;
    double max = 0;
    double mean = 0;
};

Summary Summarize(std::vector<double> values) {
    Summary summary;
    if (values.empty())
        return summary;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    summary.median = values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
    summary.min = values.front();
    summary.max = values.back();
    summary.mean = std::accumulate(values.begin(), values.end(), 0.0) / values.size();
    return summary;
}

const wchar_t* Verdict(double ratio, double target) {
    return ratio <= target ? L"met" : L"MISSED";
}

double Ratio(double value, double baseline) {
    return baseline > 0 ? value / baseline : 0;
}

// ---- processes and windows ----

double NowMs() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart * 1000.0 / frequency.QuadPart;
}

class Launched {
public:
    Launched() = default;
    ~Launched() { End(); }
    Launched(const Launched&) = delete;
    Launched& operator=(const Launched&) = delete;

    bool Start(const std::wstring& exe, const std::wstring& arguments) {
        std::wstring commandLine = L"\"" + exe + L"\"";
        if (!arguments.empty())
            commandLine += L" " + arguments;
        const std::wstring folder = exe.substr(0, exe.find_last_of(L"\\/"));
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info = {};
        if (!CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                            folder.c_str(), &startup, &info))
            return false;
        CloseHandle(info.hThread);
        process_ = info.hProcess;
        id_ = info.dwProcessId;
        return true;
    }
    bool Running() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }
    // Closes window (the process's main window) and waits for the process to end; kills it
    // when it does not.
    void Close(HWND window) {
        if (window && IsWindow(window))
            PostMessageW(window, WM_CLOSE, 0, 0);
        End();
    }
    HANDLE Handle() const { return process_; }
    DWORD Id() const { return id_; }

private:
    void End() {
        if (!process_)
            return;
        if (WaitForSingleObject(process_, EXIT_WAIT_MS) != WAIT_OBJECT_0) {
            TerminateProcess(process_, 1);
            WaitForSingleObject(process_, EXIT_WAIT_MS);
        }
        CloseHandle(process_);
        process_ = nullptr;
    }

    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

struct WindowQuery {
    DWORD pid;
    const wchar_t* title;
    const wchar_t* className;
    HWND except;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM lParam) {
    auto* query = reinterpret_cast<WindowQuery*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != query->pid || window == query->except || !IsWindowVisible(window))
        return TRUE;
    wchar_t text[64] = {};
    if (query->title) {
        GetWindowTextW(window, text, 64);
        if (wcscmp(text, query->title) != 0)
            return TRUE;
    }
    if (query->className) {
        GetClassNameW(window, text, 64);
        if (wcscmp(text, query->className) != 0)
            return TRUE;
    }
    query->found = window;
    return FALSE;
}

HWND FindVisibleWindow(DWORD pid,
                       const wchar_t* title,
                       const wchar_t* className = nullptr,
                       HWND except = nullptr) {
    WindowQuery query{pid, title, className, except, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs) {
    const double end = NowMs() + timeoutMs;
    while (!condition()) {
        if (NowMs() > end)
            return false;
        Sleep(POLL_MS);
    }
    return true;
}

HWND WaitForVisibleWindow(const Launched& process, const wchar_t* title, HWND except = nullptr) {
    HWND found = nullptr;
    WaitFor(
        [&] {
            return (found = FindVisibleWindow(process.Id(), title, nullptr, except)) != nullptr ||
                   !process.Running();
        },
        WINDOW_WAIT_MS);
    return found;
}

// Wine answers GetProcessTimes and the private bytes of another process with zeros; its Unix
// side has the figures. With unixProc (the Windows path of Linux's /proc) the CPU time comes
// from there, from the Unix process that runs the program.
std::wstring g_unixProc;
constexpr double NS_PER_MS = 1e6;
unsigned g_wineserverPid = 0;

std::string ReadWholeFile(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {};
    std::string bytes;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0)
        bytes.append(chunk, got);
    CloseHandle(file);
    return bytes;
}

std::string Lower(std::string text) {
    for (char& c : text)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return text;
}

// The Unix process id of the Wine process running exe, or 0.
unsigned UnixPidOf(const std::wstring& exe) {
    if (g_unixProc.empty())
        return 0;
    const std::string wanted = Lower(std::string(exe.begin(), exe.end()));
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((g_unixProc + L"\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    unsigned found = 0;
    do {
        const unsigned pid = wcstoul(entry.cFileName, nullptr, 10);
        if (pid == 0)
            continue;
        // Wine shows the Windows command line as the Unix one; its first word is the program.
        std::string program = ReadWholeFile(g_unixProc + L"\\" + entry.cFileName + L"\\cmdline");
        program = program.substr(0, program.find('\0'));
        if (!program.empty() && program.front() == '"')
            program = program.substr(1, program.find('"', 1) - 1);
        if (Lower(program) == wanted)
            found = pid;
    } while (!found && FindNextFileW(search, &entry));
    FindClose(search);
    return found;
}

// The CPU time of a Unix process in milliseconds, summed over its threads from their
// scheduler statistics (nanoseconds; the tick counts of the stat line are 10 ms coarse);
// negative when it cannot be read.
double UnixCpuMs(unsigned pid) {
    const std::wstring tasks = g_unixProc + L"\\" + std::to_wstring(pid) + L"\\task";
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((tasks + L"\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return -1;
    double nanoseconds = 0;
    bool any = false;
    do {
        if (wcstoul(entry.cFileName, nullptr, 10) == 0)
            continue;
        const std::string schedstat =
            ReadWholeFile(tasks + L"\\" + entry.cFileName + L"\\schedstat");
        if (schedstat.empty())
            continue;
        nanoseconds += strtod(schedstat.c_str(), nullptr);
        any = true;
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    return any ? nanoseconds / NS_PER_MS : -1;
}

double CpuMs(HANDLE process, unsigned unixPid) {
    if (unixPid)
        return UnixCpuMs(unixPid);
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user))
        return -1;
    auto hundredNs = [](const FILETIME& time) {
        return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    return (hundredNs(kernel) + hundredNs(user)) / HUNDRED_NS_PER_MS;
}

struct MemorySample {
    SIZE_T privateBytes = 0;
    SIZE_T workingSet = 0;
};

// Private bytes as Windows counts them (PrivateUsage): the committed private pages, here
// summed region by region because Wine leaves PrivateUsage of another process at 0.
MemorySample SampleMemory(HANDLE process) {
    MemorySample sample;
    MEMORY_BASIC_INFORMATION region;
    const char* address = nullptr;
    while (VirtualQueryEx(process, address, &region, sizeof region) == sizeof region) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE)
            sample.privateBytes += region.RegionSize;
        const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
        if (next <= address)
            break;
        address = next;
    }
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    if (GetProcessMemoryInfo(process, &counters, sizeof counters))
        sample.workingSet = counters.WorkingSetSize;
    return sample;
}

// ---- the three measurements ----

struct Programs {
    std::wstring program;
    std::wstring floor;
    std::wstring bare;
};

// Milliseconds from CreateProcess until the window is visible; negative when it never was.
double StartupMs(const std::wstring& exe, const wchar_t* title) {
    Launched process;
    const double start = NowMs();
    if (!process.Start(exe, L""))
        return -1;
    HWND window = nullptr;
    while (!(window = FindVisibleWindow(process.Id(), title)) && process.Running() &&
           NowMs() - start < WINDOW_WAIT_MS)
        Sleep(POLL_MS);
    const double elapsed = NowMs() - start;
    process.Close(window);
    return window ? elapsed : -1;
}

enum class Against { Floor, Bare };

void PrintRatios(const wchar_t* what,
                 double value,
                 double floor,
                 double bare,
                 double target,
                 Against against) {
    const double toFloor = Ratio(value, floor);
    const double toBare = Ratio(value, bare);
    const bool toTheFloor = against == Against::Floor;
    wprintf(L"  %ls: to the floor %.2f, to the bare window %.2f (target <= %.1f to the %ls: %ls)\n",
            what, toFloor, toBare, target, toTheFloor ? L"floor" : L"bare window",
            Verdict(toTheFloor ? toFloor : toBare, target));
}

bool MeasureStartup(const Programs& programs, int runs) {
    // The first start of each pays for loading the files and Wine's DLLs into the cache.
    StartupMs(programs.program, MSG_CAPTION);
    StartupMs(programs.floor, BENCH_FLOOR_TITLE);
    StartupMs(programs.bare, BENCH_BARE_TITLE);
    std::vector<double> program, floor, bare;
    for (int run = 0; run < runs; ++run) {
        const double programMs = StartupMs(programs.program, MSG_CAPTION);
        const double floorMs = StartupMs(programs.floor, BENCH_FLOOR_TITLE);
        const double bareMs = StartupMs(programs.bare, BENCH_BARE_TITLE);
        if (programMs < 0 || floorMs < 0 || bareMs < 0) {
            wprintf(L"start-up run %d: a window never became visible\n", run + 1);
            return false;
        }
        program.push_back(programMs);
        floor.push_back(floorMs);
        bare.push_back(bareMs);
    }
    const Summary p = Summarize(program);
    const Summary f = Summarize(floor);
    const Summary b = Summarize(bare);
    wprintf(L"Start-up until the window is visible, %d interleaved runs each (ms)\n", runs);
    wprintf(L"  %-32ls %8ls %8ls %8ls %8ls\n", L"", L"median", L"min", L"max", L"mean");
    wprintf(L"  %-32ls %8.1f %8.1f %8.1f %8.1f\n", L"FlagsmithII", p.median, p.min, p.max, p.mean);
    wprintf(L"  %-32ls %8.1f %8.1f %8.1f %8.1f\n", L"floor one-window program", f.median, f.min,
            f.max, f.mean);
    wprintf(L"  %-32ls %8.1f %8.1f %8.1f %8.1f\n", L"bare one-window program", b.median, b.min,
            b.max, b.mean);
    PrintRatios(L"ratio of medians", p.median, f.median, b.median, STARTUP_TARGET_RATIO,
                Against::Floor);
    wprintf(L"\n");
    return true;
}

struct IdleCpu {
    double process = -1;
    // What the process's calls cost Wine's server meanwhile; negative when not known.
    double wineserver = -1;
};

HWND g_standInWindow = nullptr;

// The stand-in in front, as while the user works in WinFBE: the program's tick then keeps its
// window order as it is.
void BringStandInToFront() {
    const DWORD target = GetWindowThreadProcessId(g_standInWindow, nullptr);
    const DWORD self = GetCurrentThreadId();
    const bool attached = AttachThreadInput(self, target, TRUE) != FALSE;
    SetForegroundWindow(g_standInWindow);
    if (attached)
        AttachThreadInput(self, target, FALSE);
}

IdleCpu MeasureIdle(const std::wstring& exe, const std::wstring& arguments, const wchar_t* title) {
    IdleCpu result;
    Launched process;
    if (!process.Start(exe, arguments))
        return result;
    HWND window = WaitForVisibleWindow(process, title);
    if (!window)
        return result;
    BringStandInToFront();
    Sleep(SETTLE_MS);
    const unsigned unixPid = UnixPidOf(exe);
    if (!g_unixProc.empty() && !unixPid) {
        wprintf(L"no Unix process runs %ls\n", exe.c_str());
        process.Close(window);
        return result;
    }
    const double processBefore = CpuMs(process.Handle(), unixPid);
    const double serverBefore = g_wineserverPid ? UnixCpuMs(g_wineserverPid) : -1;
    Sleep(IDLE_MS);
    const double processAfter = CpuMs(process.Handle(), unixPid);
    const double serverAfter = g_wineserverPid ? UnixCpuMs(g_wineserverPid) : -1;
    const bool stillRunning = process.Running();
    process.Close(window);
    if (!stillRunning || processBefore < 0 || processAfter < 0)
        return result;
    result.process = processAfter - processBefore;
    if (serverBefore >= 0 && serverAfter >= 0)
        result.wineserver = serverAfter - serverBefore;
    return result;
}

bool MeasureIdleCpu(const Programs& programs) {
    struct Measured {
        const wchar_t* name;
        std::vector<double> process;
        std::vector<double> total;
    };
    Measured program{L"FlagsmithII", {}, {}};
    Measured floor{L"floor with a 100 ms timer", {}, {}};
    Measured bare{L"bare window with a 100 ms timer", {}, {}};
    bool withServer = true;
    for (int round = 0; round < IDLE_ROUNDS; ++round) {
        const IdleCpu results[] = {
            MeasureIdle(programs.program, L"", MSG_CAPTION),
            MeasureIdle(programs.floor, BENCH_TIMER_ARGUMENT, BENCH_FLOOR_TITLE),
            MeasureIdle(programs.bare, BENCH_TIMER_ARGUMENT, BENCH_BARE_TITLE)};
        Measured* into[] = {&program, &floor, &bare};
        for (int i = 0; i < 3; ++i) {
            if (results[i].process < 0) {
                wprintf(L"idle CPU: %ls did not start, did not stay up or could not be measured\n",
                        into[i]->name);
                return false;
            }
            withServer = withServer && results[i].wineserver >= 0;
            into[i]->process.push_back(results[i].process);
            into[i]->total.push_back(results[i].process + results[i].wineserver);
        }
    }
    wprintf(
        L"CPU time over %lu s of idle ticking beside the stand-in, median of %d interleaved "
        L"rounds (ms)\n",
        IDLE_MS / 1000, IDLE_ROUNDS);
    wprintf(L"  %-32ls %10ls %10ls\n", L"", L"process", L"+ server");
    for (const Measured* m : {&program, &floor, &bare})
        wprintf(L"  %-32ls %10.1f %10.1f\n", m->name, Summarize(m->process).median,
                withServer ? Summarize(m->total).median : -1.0);
    PrintRatios(L"ratio of the processes", Summarize(program.process).median,
                Summarize(floor.process).median, Summarize(bare.process).median,
                IDLE_CPU_TARGET_RATIO, Against::Bare);
    if (withServer)
        PrintRatios(L"with the wineserver", Summarize(program.total).median,
                    Summarize(floor.total).median, Summarize(bare.total).median,
                    IDLE_CPU_TARGET_RATIO, Against::Bare);
    wprintf(L"\n");
    return true;
}

struct ChildByText {
    const wchar_t* text;
    HWND found;
};

BOOL CALLBACK MatchChildText(HWND child, LPARAM lParam) {
    auto* query = reinterpret_cast<ChildByText*>(lParam);
    wchar_t text[64] = {};
    GetWindowTextW(child, text, 64);
    if (wcscmp(text, query->text) != 0)
        return TRUE;
    query->found = child;
    return FALSE;
}

// Apply while "No preset used" is selected shows one message box; OK closes it.
bool CycleMessageBox(const Launched& process, HWND main) {
    PostMessageW(GetDlgItem(main, IDC_APPLY), BM_CLICK, 0, 0);
    HWND box = WaitForVisibleWindow(process, MSG_CAPTION, main);
    if (!box)
        return false;
    PostMessageW(GetDlgItem(box, BOX_BUTTON_1), BM_CLICK, 0, 0);
    return WaitFor([&] { return !IsWindow(box) && IsWindowEnabled(main); }, WINDOW_WAIT_MS);
}

bool CycleEditWindow(const Launched& process, HWND main) {
    PostMessageW(GetDlgItem(main, IDC_EDIT), BM_CLICK, 0, 0);
    HWND edit = WaitForVisibleWindow(process, EDIT_WINDOW_TITLE);
    if (!edit)
        return false;
    PostMessageW(edit, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(edit, IDCANCEL)));
    return WaitFor([&] { return !IsWindow(edit) && IsWindowEnabled(main); }, WINDOW_WAIT_MS);
}

bool MeasureMemory(const Programs& programs) {
    Launched process;
    if (!process.Start(programs.program, L""))
        return false;
    HWND main = WaitForVisibleWindow(process, MSG_CAPTION);
    if (!main)
        return false;
    Sleep(SETTLE_MS);
    const double start = NowMs();
    const MemorySample before = SampleMemory(process.Handle());

    ChildByText noPreset{TEXT_NO_PRESET, nullptr};
    EnumChildWindows(main, MatchChildText, reinterpret_cast<LPARAM>(&noPreset));
    if (!noPreset.found) {
        wprintf(L"memory: no \"%ls\" option in the main window\n", TEXT_NO_PRESET);
        process.Close(main);
        return false;
    }
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(noPreset.found, BM_CLICK, 0, 0, SMTO_NORMAL, WINDOW_WAIT_MS, &ignored);

    int boxes = 0, editWindows = 0;
    const int boxesPerEditWindow = SOAK_BOXES / SOAK_EDIT_WINDOWS;
    while (boxes < SOAK_BOXES || editWindows < SOAK_EDIT_WINDOWS) {
        if (boxes < SOAK_BOXES) {
            if (!CycleMessageBox(process, main))
                break;
            ++boxes;
        }
        if (boxes % boxesPerEditWindow == 0 && editWindows < SOAK_EDIT_WINDOWS) {
            if (!CycleEditWindow(process, main))
                break;
            ++editWindows;
        }
    }
    const double driven = NowMs() - start;
    if (driven < SOAK_MS)
        Sleep(static_cast<DWORD>(SOAK_MS - driven));
    const MemorySample after = SampleMemory(process.Handle());
    const double total = NowMs() - start;
    const bool stillRunning = process.Running();
    process.Close(main);

    wprintf(
        L"Memory over %.0f s of ticking with %d message boxes and %d edit windows (driven in %.1f "
        L"s)\n",
        total / 1000, boxes, editWindows, driven / 1000);
    wprintf(L"  %-32ls %10ls %10ls\n", L"", L"private KB", L"working KB");
    wprintf(L"  %-32ls %10zu %10zu\n", L"at start", before.privateBytes / 1024,
            before.workingSet / 1024);
    wprintf(L"  %-32ls %10zu %10zu\n", L"after", after.privateBytes / 1024,
            after.workingSet / 1024);
    wprintf(L"  private growth %+lld KB\n", (static_cast<long long>(after.privateBytes) -
                                             static_cast<long long>(before.privateBytes)) /
                                                1024);
    if (boxes < SOAK_BOXES || editWindows < SOAK_EDIT_WINDOWS || !stillRunning) {
        wprintf(L"  the program stopped answering (or ended) before all windows were cycled\n");
        return false;
    }
    return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 6) {
        fwprintf(stderr,
                 L"usage: BenchDriver <program.exe> <floor window.exe> <bare window.exe> "
                 L"<stand-in.exe> <runs> [<unix /proc> <wineserver pid>]\n");
        return 2;
    }
    const Programs programs{argv[1], argv[2], argv[3]};
    const int runs = std::max(1, _wtoi(argv[5]));
    if (argc > 6)
        g_unixProc = argv[6];
    if (argc > 7)
        g_wineserverPid = wcstoul(argv[7], nullptr, 10);
    timeBeginPeriod(1);

    // The program closes itself when no WinFBE window is there.
    Launched standIn;
    if (!standIn.Start(argv[4], L"") || !WaitForVisibleWindow(standIn, STANDIN_TITLE)) {
        fwprintf(stderr, L"the stand-in WinFBE did not start\n");
        return 1;
    }
    g_standInWindow = FindVisibleWindow(standIn.Id(), STANDIN_TITLE);

    bool ok = MeasureStartup(programs, runs);
    ok = MeasureIdleCpu(programs) && ok;
    ok = MeasureMemory(programs) && ok;

    PostMessageW(g_standInWindow, STANDIN_CLOSE, 0, 0);
    standIn.Close(nullptr);
    timeEndPeriod(1);
    fflush(stdout);
    return ok ? 0 : 1;
}
