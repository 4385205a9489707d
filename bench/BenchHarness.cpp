// The benchmark harness: starts the built programs and the floor under Wine
// (or Windows), measures them from outside and prints one Markdown table with
// the goals beside the figures. Run by scripts/bench, which lays out the run
// folder:
//   floor\floor.exe   shutdown\shutdown.exe   drowsel\drowsel.exe
//     (each with Shutdown.dll beside the programs: the real one when built)
//   count\            shutdown.exe + a recording Shutdown.dll; shutdown.ini is written here
//   count-drowsel\    drowsel.exe + the recording Shutdown.dll
//   stripped\         stripped copies of floor.exe, shutdown.exe, drowsel.exe, Shutdown.dll
// It is a benchmark, not a test: it reports, it never fails on a figure.
#include "ProcessProbe.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

const int IDC_COUNT = 1000;

double Now()
{
    static LARGE_INTEGER s_freq = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    ::QueryPerformanceCounter(&t);
    return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(s_freq.QuadPart);
}

double Median(std::vector<double> v)
{
    if (v.empty())
        return -1;
    std::sort(v.begin(), v.end());
    size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// One started program and its main window.
class Run {
public:
    Run() = default;
    Run(const Run&) = delete;
    Run& operator=(const Run&) = delete;
    ~Run() { End(); }

    // Starts exe in cwd and waits for its first visible top-level window.
    bool Start(const std::string& exe, const std::string& cwd, DWORD timeoutMs = 20000)
    {
        std::string cmd = "\"" + exe + "\"";
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        double t0 = Now();
        if (!::CreateProcessA(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, cwd.c_str(), &si, &m_pi))
            return false;
        while (Now() - t0 < timeoutMs) {
            m_hWnd = FindProcessWindow(m_pi.dwProcessId);
            if (m_hWnd)
                break;
            if (!Running())
                return false;
            ::Sleep(1);
        }
        m_msToWindow = Now() - t0;
        m_tVisible = Now();
        return m_hWnd != nullptr;
    }

    bool Running() const { return m_pi.hProcess && ::WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT; }

    // Cancel, as the user would; forced if that does not end it.
    void End()
    {
        if (!m_pi.hProcess)
            return;
        if (Running() && m_hWnd)
            ::PostMessageA(m_hWnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        if (::WaitForSingleObject(m_pi.hProcess, 5000) != WAIT_OBJECT_0) {
            ::TerminateProcess(m_pi.hProcess, 1);
            ::WaitForSingleObject(m_pi.hProcess, 5000);
        }
        ::CloseHandle(m_pi.hProcess);
        ::CloseHandle(m_pi.hThread);
        m_pi = {};
    }

    HANDLE Process() const { return m_pi.hProcess; }
    HWND Window() const { return m_hWnd; }
    double MsToWindow() const { return m_msToWindow; }
    double SinceVisible() const { return Now() - m_tVisible; }
    std::string Count() const { return ControlText(::GetDlgItem(m_hWnd, IDC_COUNT)); }

private:
    PROCESS_INFORMATION m_pi = {};
    HWND m_hWnd = nullptr;
    double m_msToWindow = 0;
    double m_tVisible = 0;
};

void WriteText(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
}

long long FileBytes(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::string Fmt(const char* format, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string Kb(double bytes) { return bytes < 0 ? "n/a" : Fmt("%.0f KB", bytes / 1024); }
std::string Ratio(double a, double floor) { return (a < 0 || floor <= 0) ? "n/a" : Fmt("%.2f×", a / floor); }
std::string Verdict(bool known, bool met) { return !known ? "n/a" : met ? "met" : "**missed**"; }

struct Tally {
    std::vector<double> start, peakWs, priv;
};

// Ten ticks read from the count field: their times from the window being
// shown. The last tick of drowsel may end the process before it is read; then
// the time of the exit stands for it.
std::vector<double> TickTimes(const Run& run, int ticks)
{
    std::vector<double> times;
    std::string last = run.Count();
    double until = 4.0 * 1000 * ticks;
    while (static_cast<int>(times.size()) < ticks && run.SinceVisible() < until) {
        if (!run.Running()) {
            times.push_back(run.SinceVisible());
            break;
        }
        std::string now = run.Count();
        if (!now.empty() && now != last) {
            times.push_back(run.SinceVisible());
            last = now;
        }
        ::Sleep(1);
    }
    return times;
}

bool WaitCountAtMost(const Run& run, long target, DWORD timeoutMs)
{
    double t0 = Now();
    while (Now() - t0 < timeoutMs) {
        std::string text = run.Count();
        if (!text.empty() && std::atol(text.c_str()) <= target)
            return true;
        if (!run.Running())
            return false;
        ::Sleep(2);
    }
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_harness <run folder> [runs] [start]\n");
        return 2;
    }
    const std::string dir = argv[1];
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
    const char* names[] = {"floor", "shutdown", "drowsel"};
    Tally tally[3];

    // 1 and 2: start to window, memory once the window is up. Round-robin, one
    // unmeasured warm-up round first (the first start of a prefix pays for
    // loading Wine's own DLLs from disk).
    // Start-up is cheap and the noisiest figure on a shared machine: three
    // times as many runs.
    const int startRuns = 3 * runs;
    for (int round = 0; round <= startRuns; ++round) {
        for (int p = 0; p < 3; ++p) {
            std::string folder = dir + "\\" + names[p];
            Run run;
            if (!run.Start(folder + "\\" + names[p] + ".exe", folder)) {
                std::fprintf(stderr, "%s did not open its window\n", names[p]);
                continue;
            }
            ::WaitForInputIdle(run.Process(), 5000);
            ::Sleep(300);
            MemoryFigures mem = ReadMemory(run.Process());
            if (round == 0)
                continue;
            tally[p].start.push_back(run.MsToWindow());
            tally[p].peakWs.push_back(static_cast<double>(mem.peakWorkingSet));
            tally[p].priv.push_back(static_cast<double>(mem.privateBytes));
        }
    }
    std::fprintf(stderr, "start-up and memory: done\n");
    if (argc > 3 && lstrcmpA(argv[3], "start") == 0) {
        // Start-up alone, for looking into it: every run of each program.
        for (int p = 0; p < 3; ++p) {
            std::printf("%-8s median %6.1f ms:", names[p], Median(tally[p].start));
            for (double t : tally[p].start)
                std::printf(" %.1f", t);
            std::printf("\n");
        }
        return 0;
    }

    // 4: CPU over ten one-second steps, with the floor idling beside it and
    // drowsel counting its 600 ms steps (until just before its end).
    const std::string countIni = "[Misc]\r\nAutoStart=1\r\nUnits=1\r\nDefaultTime=10\r\nDefaultMode=0\r\n";
    WriteText(dir + "\\count\\shutdown.ini", countIni);
    std::vector<double> cpuShutdown, cpuFloor, cpuDrowsel;
    for (int i = 0; i < runs; ++i) {
        Run floor, shutdown, drowsel;
        if (!floor.Start(dir + "\\floor\\floor.exe", dir + "\\floor") ||
            !shutdown.Start(dir + "\\count\\shutdown.exe", dir + "\\count") ||
            !drowsel.Start(dir + "\\count-drowsel\\drowsel.exe", dir + "\\count-drowsel"))
            continue;
        double t0 = Now();
        const ULONGLONG c0[3] = {CpuTime(floor.Process()), CpuTime(shutdown.Process()), CpuTime(drowsel.Process())};
        ::Sleep(5400);
        double tD = Now();
        ULONGLONG cD = CpuTime(drowsel.Process());
        ::Sleep(10000 - 5400);
        double t1 = Now();
        // CPU time is in 100 ns units, wall time in ms: percent = cpu / (ms * 10000) * 100.
        cpuFloor.push_back(static_cast<double>(CpuTime(floor.Process()) - c0[0]) / ((t1 - t0) * 100));
        cpuShutdown.push_back(static_cast<double>(CpuTime(shutdown.Process()) - c0[1]) / ((t1 - t0) * 100));
        cpuDrowsel.push_back(static_cast<double>(cD - c0[2]) / ((tD - t0) * 100));
    }
    std::fprintf(stderr, "CPU: done\n");

    // 5: tick accuracy, one program at a time.
    std::vector<double> driftShutdown, driftDrowsel, lastShutdown, lastDrowsel, worstShutdown, worstDrowsel;
    auto tickRuns = [&](const std::string& sub, const char* exe, double period, std::vector<double>& drift,
                        std::vector<double>& last, std::vector<double>& worst) {
        for (int i = 0; i < runs; ++i) {
            Run run;
            std::string folder = dir;
            folder += "\\";
            folder += sub;
            if (!run.Start(folder + "\\" + exe, folder))
                continue;
            std::vector<double> t = TickTimes(run, 10);
            if (t.size() != 10)
                continue;
            // Drift: the period the ten ticks keep (least-squares slope of
            // time over tick number) against the nominal one, so that neither
            // the start-up nor one late tick passes for a rate error.
            double sumK = 0, sumT = 0, sumKK = 0, sumKT = 0;
            for (size_t k = 0; k < t.size(); ++k) {
                sumK += static_cast<double>(k);
                sumT += t[k];
                sumKK += static_cast<double>(k * k);
                sumKT += static_cast<double>(k) * t[k];
            }
            const double n = static_cast<double>(t.size());
            const double slope = (n * sumKT - sumK * sumT) / (n * sumKK - sumK * sumK);
            drift.push_back(100.0 * (slope / period - 1));
            last.push_back(t[9]);
            double w = 0;
            for (size_t k = 1; k < t.size(); ++k)
                w = std::max(w, std::abs(t[k] - t[k - 1] - period));
            worst.push_back(w);
        }
    };
    tickRuns("count", "shutdown.exe", 1000, driftShutdown, lastShutdown, worstShutdown);
    tickRuns("count-drowsel", "drowsel.exe", 600, driftDrowsel, lastDrowsel, worstDrowsel);
    std::fprintf(stderr, "ticks: done\n");

    // 6: GUI objects after one tick and after 10,000 posted ticks. Hours, so
    // that no real tick interferes; no action, so that the window stays at 0.
    WriteText(dir + "\\count\\shutdown.ini",
              "[Misc]\r\nAutoStart=1\r\nUnits=3\r\nDefaultTime=10000\r\nDefaultMode=0\r\n");
    GuiObjects before, after;
    MemoryFigures memBefore, memAfter;
    double soakMs = -1;
    {
        Run run;
        if (run.Start(dir + "\\count\\shutdown.exe", dir + "\\count")) {
            ::PostMessageA(run.Window(), WM_TIMER, 1, 0);
            if (WaitCountAtMost(run, 9999, 5000)) {
                ::Sleep(200);
                before = CountGuiObjectsSettled(run.Process());
                memBefore = ReadMemory(run.Process());
                double t0 = Now();
                long posted = 1;
                while (posted < 10000) {
                    long batch = std::min(500L, 10000 - posted);
                    for (long k = 0; k < batch; ++k)
                        ::PostMessageA(run.Window(), WM_TIMER, 1, 0);
                    posted += batch;
                    if (!WaitCountAtMost(run, 10000 - posted, 30000))
                        break;
                }
                soakMs = Now() - t0;
                ::Sleep(200);
                if (run.Count() == "0") {
                    after = CountGuiObjectsSettled(run.Process());
                    memAfter = ReadMemory(run.Process());
                }
            }
        }
    }
    std::fprintf(stderr, "objects: done\n");

    // 3: sizes of the stripped files.
    double size[4];
    const char* files[] = {"floor.exe", "shutdown.exe", "drowsel.exe", "Shutdown.dll"};
    for (int i = 0; i < 4; ++i)
        size[i] = static_cast<double>(FileBytes(dir + "\\stripped\\" + files[i]));

    // The table.
    double start[3], ws[3], pv[3];
    for (int p = 0; p < 3; ++p) {
        start[p] = Median(tally[p].start);
        ws[p] = Median(tally[p].peakWs);
        pv[p] = Median(tally[p].priv);
    }
    auto within = [](double a, double floor, double limit) { return a >= 0 && floor > 0 && a <= floor * limit; };
    auto bytes = [](double b) { return b < 0 ? std::string("n/a") : Fmt("%.0f", b) + Fmt(" (%.1f KB)", b / 1024); };

    std::printf("Median of %d runs each; ratios against the floor.\n\n", runs);
    std::printf("| Measure | floor | shutdown | drowsel | goal | shutdown | drowsel |\n");
    std::printf("|---|---|---|---|---|---|---|\n");
    double fastest[3];
    for (int p = 0; p < 3; ++p)
        fastest[p] = tally[p].start.empty() ? -1 : *std::min_element(tally[p].start.begin(), tally[p].start.end());
    std::printf("| Start to window (ms; median of %d, fastest) | %.1f (%.1f) | %.1f (%s; %.1f) | %.1f (%s; %.1f) | ≤ 1.15× floor | %s | %s |\n",
                startRuns, start[0], fastest[0], start[1], Ratio(start[1], start[0]).c_str(), fastest[1], start[2],
                Ratio(start[2], start[0]).c_str(), fastest[2],
                Verdict(true, within(start[1], start[0], 1.15)).c_str(),
                Verdict(true, within(start[2], start[0], 1.15)).c_str());
    std::printf("| Peak working set | %s | %s (%s) | %s (%s) | ≤ 1.10× floor | %s | %s |\n", Kb(ws[0]).c_str(),
                Kb(ws[1]).c_str(), Ratio(ws[1], ws[0]).c_str(), Kb(ws[2]).c_str(), Ratio(ws[2], ws[0]).c_str(),
                Verdict(ws[0] > 0, within(ws[1], ws[0], 1.10)).c_str(),
                Verdict(ws[0] > 0, within(ws[2], ws[0], 1.10)).c_str());
    std::printf("| Private bytes | %s | %s (%s) | %s (%s) | ≤ 1.10× floor | %s | %s |\n", Kb(pv[0]).c_str(),
                Kb(pv[1]).c_str(), Ratio(pv[1], pv[0]).c_str(), Kb(pv[2]).c_str(), Ratio(pv[2], pv[0]).c_str(),
                Verdict(pv[0] > 0, within(pv[1], pv[0], 1.10)).c_str(),
                Verdict(pv[0] > 0, within(pv[2], pv[0], 1.10)).c_str());
    // With every language in.
    std::printf("| Size, stripped (bytes) | %s | %s (%s) | %s (%s) | ≤ 64 KB each | %s | %s |\n",
                bytes(size[0]).c_str(), bytes(size[1]).c_str(), Ratio(size[1], size[0]).c_str(),
                bytes(size[2]).c_str(), Ratio(size[2], size[0]).c_str(),
                Verdict(size[1] >= 0, size[1] <= 65536).c_str(), Verdict(size[2] >= 0, size[2] <= 65536).c_str());
    std::printf("| Shutdown.dll, stripped (bytes) | | %s (%s) | | ≤ 32 KB | %s | |\n", bytes(size[3]).c_str(),
                Ratio(size[3], size[0]).c_str(), Verdict(size[3] >= 0, size[3] <= 32768).c_str());
    double cS = Median(cpuShutdown), cD = Median(cpuDrowsel), cF = Median(cpuFloor);
    // GetProcessTimes counts in 10 ms steps under Wine (from /proc): 0.00% means under 0.1%.
    std::printf("| CPU while counting (%% of one core) | %.2f%% (idle) | %.2f%% (10 × 1 s) | %.2f%% (9 × 600 ms) | < 1%% | %s | %s |\n",
                cF, cS, cD, Verdict(cS >= 0, cS < 1.0).c_str(), Verdict(cD >= 0, cD < 1.0).c_str());
    double dS = Median(driftShutdown), dD = Median(driftDrowsel);
    std::printf("| Tick drift over ten ticks | | %+.2f%% (tick 10 at %.0f ms, worst step ±%.1f ms) | %+.2f%% (tick 10 at %.0f ms, worst step ±%.1f ms) | < 1%% | %s | %s |\n",
                dS, Median(lastShutdown), Median(worstShutdown), dD, Median(lastDrowsel), Median(worstDrowsel),
                Verdict(!driftShutdown.empty(), std::abs(dS) < 1.0).c_str(),
                Verdict(!driftDrowsel.empty(), std::abs(dD) < 1.0).c_str());
    bool objectsKnown = before.Measured() && after.Measured();
    std::printf("| GDI objects, 1 tick → 10,000 ticks | | %ld → %ld | | unchanged | %s | |\n", before.gdi, after.gdi,
                Verdict(objectsKnown, before.gdi == after.gdi).c_str());
    std::printf("| USER objects, 1 tick → 10,000 ticks | | %ld → %ld | | unchanged | %s | |\n", before.user, after.user,
                Verdict(objectsKnown, before.user == after.user).c_str());
    std::printf("| Private bytes, 1 tick → 10,000 ticks | | %s → %s | | (level) | | |\n",
                Kb(static_cast<double>(memBefore.privateBytes)).c_str(),
                Kb(static_cast<double>(memAfter.privateBytes)).c_str());
    std::printf("\nObject counts from: %s. 10,000 posted ticks took %.0f ms. Tick drift is the period the ten ticks keep "
                "(least-squares slope) against the nominal one; tick 10 is timed from the window being shown; the worst "
                "step is the largest difference of one interval from the nominal.\n",
                before.source, soakMs);
    return 0;
}
