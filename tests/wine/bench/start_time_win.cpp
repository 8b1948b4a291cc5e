// zrnx_start_time: how long two programs take from their start until their
// window is visible, as another program sees it (FindWindow, polled).
//
// zrnx_start_time.exe RUNS CMD_A CLASS_A CMD_B CLASS_B
//
// Starts A and B in turns (ABAB..., BABA... on odd rounds), RUNS times each;
// each window is closed and its program waited for before the next start.
// Prints every time and the two medians in milliseconds, and B / A; and the
// processor time each program had used when its window showed (user and
// kernel), which a busy machine disturbs less than the wall clock.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

double Now() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double CpuMs(HANDLE process) {
  FILETIME created, ended, kernel, user;
  if (!GetProcessTimes(process, &created, &ended, &kernel, &user)) return -1;
  auto ms = [](const FILETIME& t) {
    return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4;
  };
  return ms(kernel) + ms(user);
}

// Milliseconds until the window is visible; negative when it never showed.
// `cpu` gets the processor time the program had used by then.
double TimeToWindow(const std::string& command, const std::string& window_class, double& cpu) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::string line = command;
  const double start = Now();
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return -1;
  double shown = -1;
  HWND window = nullptr;
  while (Now() - start < 30000) {
    window = FindWindowA(window_class.c_str(), nullptr);
    if (window && IsWindowVisible(window)) {
      shown = Now() - start;
      cpu = CpuMs(process.hProcess);
      break;
    }
    if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) break;
    Sleep(1);
  }
  if (window) PostMessageA(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.hProcess, 20000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return shown;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 6) {
    std::fprintf(stderr, "usage: zrnx_start_time RUNS CMD_A CLASS_A CMD_B CLASS_B\n");
    return 2;
  }
  const int runs = std::atoi(argv[1]);
  std::vector<double> times[2], cpu_times[2];
  for (int round = 0; round < runs; ++round) {
    for (int k : {round % 2, 1 - round % 2}) {
      double cpu = 0;
      const double ms = TimeToWindow(argv[2 + 2 * k], argv[3 + 2 * k], cpu);
      if (ms < 0) {
        std::fprintf(stderr, "no window: %s\n", argv[2 + 2 * k]);
        return 1;
      }
      times[k].push_back(ms);
      cpu_times[k].push_back(cpu);
      std::printf("%c %8.1f ms (processor %6.1f ms)\n", "AB"[k], ms, cpu);
    }
  }
  const double a = Median(times[0]), b = Median(times[1]);
  std::printf("median A %.1f ms, B %.1f ms, B/A %.2f\n", a, b, b / a);
  const double ca = Median(cpu_times[0]), cb = Median(cpu_times[1]);
  std::printf("processor time: median A %.1f ms, B %.1f ms, B/A %.2f\n", ca, cb, cb / ca);
  return 0;
}
