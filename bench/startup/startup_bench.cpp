// Measures the time from process creation to the main window being visible.
// Run beside rovenza.exe: startup_bench.exe [runs]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Search {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK findMain(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  if (owner == search->processId && std::string(name) == "NORMAL0" && IsWindowVisible(window)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

double seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, sizeof self);
  std::string exe(self);
  exe = exe.substr(0, exe.find_last_of('\\') + 1) + "rovenza.exe";

  std::vector<double> times;
  for (int run = 0; run < runs; ++run) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string commandLine = "\"" + exe + "\"";
    LARGE_INTEGER begin;
    QueryPerformanceCounter(&begin);
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
      std::printf("cannot start %s (error %lu)\n", exe.c_str(), GetLastError());
      return 1;
    }
    Search search{process.dwProcessId, nullptr};
    LARGE_INTEGER end = begin;
    for (;;) {
      EnumWindows(findMain, reinterpret_cast<LPARAM>(&search));
      QueryPerformanceCounter(&end);
      if (search.found || seconds(begin, end) > 30) break;
      Sleep(1);
    }
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (!search.found) {
      std::printf("run %d: main window never appeared\n", run + 1);
      return 1;
    }
    times.push_back(seconds(begin, end));
    std::printf("run %d: %.3f s\n", run + 1, times.back());
  }
  std::sort(times.begin(), times.end());
  std::printf("start-up to main window visible: median %.3f s, best %.3f s, worst %.3f s (%d runs)\n",
              times[times.size() / 2], times.front(), times.back(), runs);
  return 0;
}
