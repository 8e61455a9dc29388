// Measures, in one run, the time from process start to a visible window and the
// peak private memory of two programs: the installer and a minimal Win32 program.
//   startup_bench INSTALLER.EXE MINIMAL.EXE DECODED_BYTES [RUNS]
// It also times the integrity check that start-up makes: the CRC-32 over the stored
// window description, read where the executable is mapped.
// Ends with: summary: window_vs_minimal=R memory_over_minimal_mb=M decoded_mb=D crc_share=R
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "storage/Crc32.h"
#include "system/winapi.h"

namespace {

struct Sample {
  double msToWindow = 0;
  double peakPrivateMb = 0;
  double peakWorkingSetMb = 0;
};

struct WindowSearch {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK FindVisible(HWND window, LPARAM param) {
  auto& search = *reinterpret_cast<WindowSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  // The installer's application window is visible too (it carries the taskbar button)
  // but has no size; the window a person sees has a caption and an area.
  RECT bounds{};
  if (owner == search.processId && IsWindowVisible(window) &&
      (GetWindowLongA(window, GWL_STYLE) & WS_CAPTION) && GetWindowRect(window, &bounds) &&
      bounds.right > bounds.left && bounds.bottom > bounds.top) {
    search.found = window;
    return FALSE;
  }
  return TRUE;
}

bool RunOnce(const std::string& exe, Sample& sample) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  std::string commandLine = "\"" + exe + "\"";
  LARGE_INTEGER frequency, begin, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&begin);
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info)) {
    std::fprintf(stderr, "startup_bench: cannot start %s\n", exe.c_str());
    return false;
  }
  WindowSearch search{info.dwProcessId, nullptr};
  for (int polls = 0; polls < 60000 && !search.found; ++polls) {
    EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&search));
    if (!search.found) Sleep(1);
  }
  QueryPerformanceCounter(&now);
  sample.msToWindow = double(now.QuadPart - begin.QuadPart) * 1000.0 / double(frequency.QuadPart);
  Sleep(300);  // let the first paint finish before reading the peaks
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (GetProcessMemoryInfo(info.hProcess, &counters, sizeof counters)) {
    sample.peakPrivateMb = double(counters.PeakPagefileUsage) / (1024.0 * 1024.0);
    sample.peakWorkingSetMb = double(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
  }
  if (search.found) PostMessageA(search.found, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(info.hProcess, 10000) != WAIT_OBJECT_0)
    TerminateProcess(info.hProcess, 1);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return search.found != nullptr;
}

// Milliseconds of one CRC-32 over the installer's stored description (median of runs).
double CrcMilliseconds(const std::string& installer, int runs) {
  HMODULE module = LoadLibraryExA(installer.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!module) return -1;
  HRSRC found = FindResourceA(module, "FORMSERVICEPACK", MAKEINTRESOURCEA(10));  // RT_RCDATA
  const void* bytes = found ? LockResource(LoadResource(module, found)) : nullptr;
  std::vector<double> times;
  if (bytes) {
    const DWORD size = SizeofResource(module, found);
    LARGE_INTEGER frequency, begin, end;
    QueryPerformanceFrequency(&frequency);
    volatile std::uint32_t sink = 0;
    for (int run = 0; run < runs; ++run) {
      QueryPerformanceCounter(&begin);
      sink = sink ^ Crc32(bytes, size);
      QueryPerformanceCounter(&end);
      times.push_back(double(end.QuadPart - begin.QuadPart) * 1000.0 / double(frequency.QuadPart));
    }
  }
  FreeLibrary(module);
  if (times.empty()) return -1;
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: startup_bench INSTALLER.EXE MINIMAL.EXE DECODED_BYTES [RUNS]\n");
    return 2;
  }
  const std::string installer = argv[1], minimal = argv[2];
  const double decodedMb = std::atof(argv[3]) / (1024.0 * 1024.0);
  const int runs = argc > 4 ? std::max(1, std::atoi(argv[4])) : 7;

  std::vector<double> installerMs, minimalMs, installerPrivate, minimalPrivate;
  Sample sample;
  RunOnce(minimal, sample);  // warm the prefix and the file cache once, unmeasured
  RunOnce(installer, sample);
  for (int run = 0; run < runs; ++run) {
    // Alternate the two programs so that drift in the machine's load hits both alike.
    if (!RunOnce(minimal, sample)) return 1;
    minimalMs.push_back(sample.msToWindow);
    minimalPrivate.push_back(sample.peakPrivateMb);
    if (!RunOnce(installer, sample)) return 1;
    installerMs.push_back(sample.msToWindow);
    installerPrivate.push_back(sample.peakPrivateMb);
    std::printf(
        "run %d: minimal %.1f ms %.1f MB, installer %.1f ms %.1f MB (working set %.1f MB)\n",
        run + 1, minimalMs.back(), minimalPrivate.back(), installerMs.back(),
        installerPrivate.back(), sample.peakWorkingSetMb);
  }
  const double ratio = Median(installerMs) / Median(minimalMs);
  const double overMb = Median(installerPrivate) - Median(minimalPrivate);
  std::printf("time to window (median of %d): installer %.1f ms, minimal %.1f ms\n", runs,
              Median(installerMs), Median(minimalMs));
  std::printf(
      "peak private memory (median): installer %.1f MB, minimal %.1f MB, decoded payload %.1f MB\n",
      Median(installerPrivate), Median(minimalPrivate), decodedMb);
  const double crcMs = CrcMilliseconds(installer, 9);
  std::printf(
      "integrity check (CRC-32 of the stored description): %.1f ms, %.1f%% of the installer's time "
      "to window\n",
      crcMs, 100.0 * crcMs / Median(installerMs));
  std::printf(
      "summary: window_vs_minimal=%.2f memory_over_minimal_mb=%.1f decoded_mb=%.1f "
      "crc_share=%.3f\n",
      ratio, overMb, decodedMb, crcMs / Median(installerMs));
  return 0;
}
