// zrnx_burst: starts many item sender runs at the same moment and reports how
// they ended; the engine of tools/bench-burst.
//
// zrnx_burst.exe SENDER ITEM N ROUNDS [sibling]
//
// With "sibling", a window titled as the sibling program reads the clipboard
// on each of the sender's messages, as such a program would.
//
// Each round starts N runs of "SENDER ITEM" (clipboard only) as fast as
// processes can be created, presses away any box they show (a failed run)
// and prints one line per round: failures, and the slowest run's time from
// its start to its exit.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "wine/desktop_support.h"

int main(int argc, char** argv) {
  using namespace zrnx::test;
  if (argc != 5 && argc != 6) {
    std::fprintf(stderr, "usage: zrnx_burst SENDER ITEM N ROUNDS [sibling]\n");
    return 2;
  }
  std::unique_ptr<SiblingRecorder> sibling;
  if (argc == 6) sibling = std::make_unique<SiblingRecorder>();
  const std::string command = Quote(argv[1]) + " " + Quote(argv[2]);
  const int n = std::atoi(argv[3]), rounds = std::atoi(argv[4]);
  int total_failed = 0;
  for (int round = 1; round <= rounds; ++round) {
    struct Run {
      std::unique_ptr<Process> process;
      ULONGLONG start = 0, end = 0;
      bool failed = false;
      std::wstring box;
      ULONGLONG box_after = 0;
    };
    std::vector<Run> runs(static_cast<std::size_t>(n));
    for (Run& run : runs) {
      run.start = GetTickCount64();
      run.process = std::make_unique<Process>(command);
    }
    const ULONGLONG limit = GetTickCount64() + 120000;
    for (;;) {
      bool all_done = true;
      for (Run& run : runs) {
        if (run.end != 0) continue;
        if (std::optional<MessageBoxSeen> box = FindAnyMessageBox(run.process->Id())) {
          run.failed = true;
          run.box = box->wide_text;
          run.box_after = GetTickCount64() - run.start;
        }
        if (WaitForSingleObject(run.process->Handle(), 0) == WAIT_OBJECT_0) {
          run.end = GetTickCount64();
          DWORD code = 0;
          GetExitCodeProcess(run.process->Handle(), &code);
          if (code != 0) run.failed = true;
        } else {
          all_done = false;
        }
      }
      if (all_done || GetTickCount64() > limit) break;
      PumpMessages(5);
    }
    int failed = 0;
    ULONGLONG slowest = 0;
    for (const Run& run : runs) {
      if (run.failed || run.end == 0) ++failed;
      if (run.end != 0 && run.end - run.start > slowest) slowest = run.end - run.start;
    }
    total_failed += failed;
    for (const Run& run : runs) {
      if (run.box.empty()) continue;
      char text[1024] = {};
      WideCharToMultiByte(CP_UTF8, 0, run.box.c_str(), -1, text, sizeof text - 1, nullptr, nullptr);
      std::printf("   box after %.2f s: %s\n", run.box_after / 1000.0, text);
    }
    std::printf("N=%d%s round %d: %d failed, slowest run %.2f s\n", n, sibling ? " with sibling" : "", round, failed,
                slowest / 1000.0);
    std::fflush(stdout);
  }
  return total_failed == 0 ? 0 : 1;
}
