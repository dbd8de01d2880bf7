// Start-up benchmark: starts two GUI programs in turn, RUNS times each, and times every start
// from just before CreateProcess until WaitForInputIdle returns, that is until the program's
// thread first waits on its message queue with nothing left to do. Each run's program is then
// closed (WM_CLOSE to its top-level windows, TerminateProcess if it is still up 10 s later).
// Prints the median of each and their ratio.
//
// Usage: startup_timer RUNS PROGRAM BASELINE   (Windows paths)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr DWORD kIdleTimeoutMs = 60000;
constexpr DWORD kExitTimeoutMs = 10000;

struct Series {
    std::string path;
    std::vector<double> milliseconds;
    int withoutWindow = 0;  // runs with no visible window when idle was reported
    int terminated = 0;     // runs that did not end on WM_CLOSE
};

BOOL CALLBACK Collect(HWND window, LPARAM windows)
{
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    return TRUE;
}

std::vector<HWND> TopLevelWindows(DWORD processId, bool visibleOnly)
{
    std::vector<HWND> all;
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&all));
    std::vector<HWND> mine;
    for (HWND window : all) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId && (!visibleOnly || IsWindowVisible(window))) mine.push_back(window);
    }
    return mine;
}

[[noreturn]] void Quit(const std::string& message)
{
    std::fprintf(stderr, "startup_timer: %s\n", message.c_str());
    std::exit(1);
}

// One start: returns the time to the first idle in milliseconds.
double TimeOneStart(Series& series)
{
    std::string commandLine = "\"" + series.path + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    LARGE_INTEGER frequency, begin, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&begin);
    if (!CreateProcessA(series.path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        Quit("cannot start " + series.path + ": error " + std::to_string(GetLastError()));
    const DWORD idle = WaitForInputIdle(info.hProcess, kIdleTimeoutMs);
    QueryPerformanceCounter(&end);
    CloseHandle(info.hThread);
    // Wine's WaitForInputIdle also returns 0 when the program has ended, so look at that too.
    DWORD code = 0;
    const bool exited = WaitForSingleObject(info.hProcess, 0) == WAIT_OBJECT_0 && GetExitCodeProcess(info.hProcess, &code);
    if (idle != 0 || exited) {
        TerminateProcess(info.hProcess, 1);
        Quit(series.path + (exited ? " ended with code " + std::to_string(code) + " before it was idle"
                                   : " did not get idle (WaitForInputIdle " + std::to_string(idle) + ")"));
    }
    const double milliseconds = static_cast<double>(end.QuadPart - begin.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);

    std::vector<HWND> windows = TopLevelWindows(info.dwProcessId, true);
    if (windows.empty()) {
        ++series.withoutWindow;
        windows = TopLevelWindows(info.dwProcessId, false);
    }
    for (HWND window : windows) PostMessageA(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(info.hProcess, kExitTimeoutMs) != WAIT_OBJECT_0) {
        ++series.terminated;
        TerminateProcess(info.hProcess, 1);
        WaitForSingleObject(info.hProcess, kExitTimeoutMs);
    }
    CloseHandle(info.hProcess);
    return milliseconds;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

void Report(const Series& series)
{
    if (series.withoutWindow)
        std::fprintf(stderr, "startup_timer: %s had no visible window at idle in %d runs\n", series.path.c_str(), series.withoutWindow);
    if (series.terminated)
        std::fprintf(stderr, "startup_timer: %s had to be terminated in %d runs\n", series.path.c_str(), series.terminated);
}

} // namespace

int main(int argc, char** argv)
{
    const int runs = argc == 4 ? std::atoi(argv[1]) : 0;
    if (runs < 1) Quit("usage: startup_timer RUNS PROGRAM BASELINE");
    Series program{argv[2], {}};
    Series baseline{argv[3], {}};

    // One untimed start of each first, so that neither pays alone for loading files and DLLs.
    TimeOneStart(program);
    TimeOneStart(baseline);
    program = Series{argv[2], {}};
    baseline = Series{argv[3], {}};
    for (int run = 0; run < runs; ++run) {
        program.milliseconds.push_back(TimeOneStart(program));
        baseline.milliseconds.push_back(TimeOneStart(baseline));
    }
    Report(program);
    Report(baseline);
    const double programMedian = Median(program.milliseconds);
    const double baselineMedian = Median(baseline.milliseconds);
    std::printf("startup ratio (program/baseline): %.2f  program %.1f ms  baseline %.1f ms  runs %d\n",
                programMedian / baselineMedian, programMedian, baselineMedian, runs);
    return 0;
}
