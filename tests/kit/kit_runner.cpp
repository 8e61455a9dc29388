// The Windows test kit's runner, which run-tests.cmd starts: runs every test program
// that tests\kit-tests.txt lists, one at a time (the window tests share the desktop),
// each with its time limit and its output in logs\NAME.log, then writes report.txt
// beside run-tests.cmd: the machine, each program's result and the names of its
// failed cases, and the closing line "N passed, M failed". Returns 0 when all passed.
//
// The kit's folder is the parent of the runner's own folder. The test programs'
// temporary files go to a folder of the runner's own in the temporary folder, removed
// at the end, so that a program that crashes leaves nothing behind.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "KitSystem.h"
#include "KitText.h"
#include "system/DllSearch.h"
#include "system/winapi.h"

namespace {

struct KitTest {
  std::string name;
  DWORD seconds = 0;
  std::string program;  // in the runner's folder
  std::string arguments;
};

struct Outcome {
  bool started = false;
  bool timedOut = false;
  DWORD exitCode = 0;
  DWORD error = 0;  // why it did not start
  double seconds = 0;
};

std::wstring ProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
    if (length == 0) return L".\\";
    if (length < path.size()) {
      path.resize(length);
      return path.substr(0, path.find_last_of(L'\\') + 1);
    }
    path.resize(path.size() * 2);
  }
}

std::wstring ParentFolder(const std::wstring& folder) {
  const std::wstring trimmed = folder.substr(0, folder.size() - 1);
  return trimmed.substr(0, trimmed.find_last_of(L'\\') + 1);
}

// Lines "name<TAB>seconds<TAB>program<TAB>arguments"; '#' starts a comment.
bool ReadList(const std::string& text, std::vector<KitTest>& tests, std::string& problem) {
  std::size_t start = 0;
  int number = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> fields;
    std::size_t from = 0;
    for (std::size_t tab; fields.size() < 3 && (tab = line.find('\t', from)) != std::string::npos;
         from = tab + 1)
      fields.push_back(line.substr(from, tab - from));
    fields.push_back(line.substr(from));
    if (fields.size() != 4 || fields[0].empty() || fields[2].empty() ||
        fields[1].find_first_not_of("0123456789") != std::string::npos || fields[1].empty() ||
        fields[1].size() > 6) {
      problem = "line " + std::to_string(number) +
                " is not \"name<TAB>seconds<TAB>program<TAB>arguments\"";
      return false;
    }
    tests.push_back({fields[0], static_cast<DWORD>(std::stoul(fields[1])), fields[2], fields[3]});
  }
  if (tests.empty()) problem = "it lists no test";
  return problem.empty();
}

// The arguments with {kit} replaced by the kit's folder; an argument holding a space
// after that is quoted.
std::wstring CommandLine(const std::wstring& program, const std::string& arguments,
                         const std::wstring& kit) {
  std::wstring line = L"\"" + program + L"\"";
  std::size_t start = 0;
  const std::wstring kitFolder = kit.substr(0, kit.size() - 1);
  while (start < arguments.size()) {
    std::size_t end = arguments.find(' ', start);
    if (end == std::string::npos) end = arguments.size();
    std::wstring argument = Wide(arguments.substr(start, end - start));
    start = end + 1;
    if (argument.empty()) continue;
    for (std::size_t at; (at = argument.find(L"{kit}")) != std::wstring::npos;)
      argument.replace(at, 5, kitFolder);
    line += argument.find(L' ') != std::wstring::npos ? L" \"" + argument + L"\"" : L" " + argument;
  }
  return line;
}

Outcome Run(std::wstring commandLine, const std::wstring& folder, const std::wstring& log,
            DWORD seconds) {
  Outcome outcome;
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  const HANDLE output = CreateFileW(log.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  const HANDLE input = CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   &inherit, OPEN_EXISTING, 0, nullptr);
  if (output == INVALID_HANDLE_VALUE) {
    outcome.error = GetLastError();
    if (input != INVALID_HANDLE_VALUE) CloseHandle(input);
    return outcome;
  }
  // The job ends whatever the program leaves running (an installer window) with it.
  const HANDLE job = CreateJobObjectW(nullptr, nullptr);
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  if (job) SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits);

  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = input;
  startup.hStdOutput = output;
  startup.hStdError = output;
  PROCESS_INFORMATION process = {};
  const ULONGLONG began = GetTickCount64();
  if (CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, TRUE, CREATE_SUSPENDED, nullptr,
                     folder.c_str(), &startup, &process)) {
    outcome.started = true;
    // Fails where the runner itself sits in a job that allows none inside (Windows 7):
    // then only the program itself is ended at the time limit.
    const bool inJob = job && AssignProcessToJobObject(job, process.hProcess);
    // The runner was started from the console the user typed into, so it may pass the
    // foreground on: the window tests and the installer they start bring their windows
    // forward for the cases that need an active window (the keyboard's).
    AllowSetForegroundWindow(process.dwProcessId);
    ResumeThread(process.hThread);
    if (WaitForSingleObject(process.hProcess, seconds * 1000) == WAIT_TIMEOUT) {
      outcome.timedOut = true;
      if (inJob) {
        TerminateJobObject(job, 1);
      } else {
        TerminateProcess(process.hProcess, 1);
      }
      WaitForSingleObject(process.hProcess, 10000);
    }
    GetExitCodeProcess(process.hProcess, &outcome.exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  } else {
    outcome.error = GetLastError();
  }
  outcome.seconds = static_cast<double>(GetTickCount64() - began) / 1000.0;
  if (job) CloseHandle(job);
  CloseHandle(output);
  if (input != INVALID_HANDLE_VALUE) CloseHandle(input);
  return outcome;
}

// The rest of every line of output that starts with tag, each once, in order.
std::vector<std::string> TaggedLines(const std::string& output, const std::string& tag) {
  std::vector<std::string> lines;
  for (std::size_t at = output.find(tag); at != std::string::npos; at = output.find(tag, at)) {
    const bool lineStart = at == 0 || output[at - 1] == '\n';
    at += tag.size();
    if (!lineStart) continue;
    const std::size_t end = output.find_first_of("\r\n", at);
    const std::string line = output.substr(at, end == std::string::npos ? end : end - at);
    if (std::find(lines.begin(), lines.end(), line) == lines.end()) lines.push_back(line);
  }
  return lines;
}

// The GoogleTest case names that the output gives after tag ("[  FAILED  ] "), each
// once, in order; the summary lines ("[  FAILED  ] 2 tests, listed below:") are not.
std::vector<std::string> CaseNames(const std::string& output, const std::string& tag) {
  std::vector<std::string> names;
  for (const std::string& line : TaggedLines(output, tag)) {
    const std::string name = line.substr(0, line.find_first_of(" ,"));
    if (name.find('.') == std::string::npos) continue;
    if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
  }
  return names;
}

// Why the case name was skipped: the first line GTEST_SKIP() printed between the
// case's "[ RUN      ]" line and its "[  SKIPPED ]" line; empty when there is none.
std::string SkipReason(std::string output, const std::string& name) {
  output.erase(std::remove(output.begin(), output.end(), '\r'), output.end());
  const std::size_t run = output.find("[ RUN      ] " + name + "\n");
  if (run == std::string::npos) return {};
  const std::size_t skipped = output.find("[  SKIPPED ] " + name, run);
  const std::string tag = ": Skipped\n";
  const std::size_t at = output.find(tag, run);
  if (skipped == std::string::npos || at == std::string::npos || at > skipped) return {};
  const std::size_t begin = at + tag.size();
  const std::size_t end = output.find_first_of("\r\n", begin);
  return output.substr(begin, std::min(end, skipped) - begin);
}

// "[  PASSED  ] 12 tests." gives 12; -1 without such a line.
long PassedCases(const std::string& output) {
  const std::string tag = "\n[  PASSED  ] ";
  const std::size_t at = output.rfind(tag);
  if (at == std::string::npos) return -1;
  return std::strtol(output.c_str() + at + tag.size(), nullptr, 10);
}

std::string Seconds(double seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f s", seconds);
  return text;
}

void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = folder + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path + L"\\");
      } else {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(folder.c_str());
}

// Prints the line on the console and adds it to the report.
void Say(const std::wstring& report, const std::string& line) {
  std::printf("%s\n", line.c_str());
  WriteWholeFile(report, line + "\r\n", true);
}

// The folder in its long spelling. %TEMP% may be spelt in the short (8.3) form, as
// Windows writes it for a user name longer than eight characters or with a space; the
// open-file dialog hands the long one back, and the tests measure paths against it.
std::wstring LongSpelling(const std::wstring& folder) {
  std::wstring spelt(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        GetLongPathNameW(folder.c_str(), &spelt[0], static_cast<DWORD>(spelt.size()));
    if (length == 0) return folder;
    if (length < spelt.size()) {
      spelt.resize(length);
      return spelt.empty() || spelt.back() == L'\\' ? spelt : spelt + L'\\';
    }
    spelt.resize(length);
  }
}

}  // namespace

int main() {
  RestrictDllSearchToSystemFolder();
  // A test program that crashes ends at once, failed, instead of waiting in Windows'
  // error-reporting dialog until its time limit (that dialog would also cover the
  // screenshots of the programs after it); no dialog asks for a missing disk either.
  // Every program started from here inherits the mode.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  SetProcessDPIAware();  // the screen's own DPI and font sizes in the report
  const std::wstring runnerFolder = ProgramFolder();
  const std::wstring kit = ParentFolder(runnerFolder);
  const std::wstring report = kit + L"report.txt";
  const std::wstring logs = kit + L"logs\\";
  const std::string bits = sizeof(void*) == 8 ? "64-bit" : "32-bit";

  std::string header = "Halvora plugin installer " HV_VERSION ": the Windows test kit (" + bits +
                       ")\r\nKit folder: " + Utf8(kit) + "\r\n";
  SYSTEMTIME now;
  GetLocalTime(&now);
  char started[64];
  std::snprintf(started, sizeof started, "Started: %04u-%02u-%02u %02u:%02u (local time)\r\n",
                now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute);
  header += started + DescribeSystem() + "\r\n";
  if (!WriteWholeFile(report, header, false)) {
    std::fprintf(stderr,
                 "kit: cannot write %s (error %lu): unzip the kit into a folder you can write to\n",
                 Utf8(report).c_str(), static_cast<unsigned long>(GetLastError()));
    return 2;
  }
  std::printf("Halvora plugin installer %s: the Windows test kit (%s), in %s\n", HV_VERSION,
              bits.c_str(), Utf8(kit).c_str());
  if (!RunsElevated()) {
    Say(report,
        "Warning: not run as administrator. The installer asks for administrator rights, so the "
        "tests that start it fail; run run-tests.cmd from an administrator prompt.");
  }

  std::vector<KitTest> tests;
  std::string problem;
  const std::wstring listPath = runnerFolder + L"kit-tests.txt";
  if (!ReadList(ReadWholeFile(listPath), tests, problem)) {
    Say(report, "kit: " + Utf8(listPath) + ": " + problem);
    Say(report, "0 passed, 1 failed");
    return 2;
  }

  // The logs of the last run go; the programs' temporary files go to a folder of our own.
  RemoveTree(logs);
  CreateDirectoryW(logs.c_str(), nullptr);
  CreateDirectoryW((kit + L"artifacts").c_str(), nullptr);
  wchar_t systemTemp[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH + 1, systemTemp);
  const std::wstring temp =
      LongSpelling(systemTemp) + L"hv-kit-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
  CreateDirectoryW(temp.c_str(), nullptr);
  SetEnvironmentVariableW(L"TMP", temp.c_str());
  SetEnvironmentVariableW(L"TEMP", temp.c_str());

  int passed = 0, failed = 0;
  const ULONGLONG began = GetTickCount64();
  for (std::size_t i = 0; i < tests.size(); ++i) {
    const KitTest& test = tests[i];
    std::printf("[%2zu/%zu] %s ...\n", i + 1, tests.size(), test.name.c_str());
    const std::wstring log = logs + Wide(test.name) + L".log";
    const Outcome outcome = Run(CommandLine(runnerFolder + Wide(test.program), test.arguments, kit),
                                runnerFolder, log, test.seconds);
    const std::string output = ReadWholeFile(log);
    const std::vector<std::string> failedCases = CaseNames(output, "[  FAILED  ] ");
    const std::vector<std::string> skippedCases = CaseNames(output, "[  SKIPPED ] ");
    const long cases = PassedCases(output);
    std::string line;
    if (!outcome.started) {
      line = "FAIL  " + test.name + ": could not start " + test.program + " (error " +
             std::to_string(outcome.error) + ")";
    } else if (outcome.timedOut) {
      line = "FAIL  " + test.name + ": still running after " + std::to_string(test.seconds) +
             " s, ended";
    } else if (outcome.exitCode != 0) {
      line = "FAIL  " + test.name + ": exit code " + std::to_string(outcome.exitCode) + ", " +
             Seconds(outcome.seconds);
    } else {
      line = "pass  " + test.name + " (" + Seconds(outcome.seconds) +
             (cases >= 0 ? ", " + std::to_string(cases) + " cases" : std::string()) + ")";
    }
    const bool ok = outcome.started && !outcome.timedOut && outcome.exitCode == 0;
    (ok ? passed : failed) += 1;
    if (!ok) line += "; output in logs\\" + test.name + ".log";
    Say(report, line);
    for (const std::string& name : failedCases) Say(report, "        failed:  " + name);
    for (const std::string& info : TaggedLines(output, "[   INFO   ] "))
      Say(report, "        " + info);
    for (const std::string& name : skippedCases) {
      const std::string reason = SkipReason(output, name);
      Say(report, "        skipped: " + name + (reason.empty() ? "" : " (" + reason + ")"));
    }
  }

  RemoveTree(temp);
  WriteWholeFile(report,
                 "\r\nTook " + Seconds(static_cast<double>(GetTickCount64() - began) / 1000.0) +
                     "; logs in logs\\, screenshots in artifacts\\.\r\n",
                 true);
  Say(report, std::to_string(passed) + " passed, " + std::to_string(failed) + " failed");
  return failed == 0 ? 0 : 1;
}
