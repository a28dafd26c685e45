// reading_bench: hostile logs of several shapes and sizes through the two
// readers every upload passes (the check's reading of a submission and the
// robot's judgement of an upload), printing the CPU time per MB of each.
// Linear readers print about the same figure at every size.
//
//   reading_bench COUNTRY_FILE [LARGEST_KB [SHAPE]]   the table (up to that size)
//   reading_bench --shapes              the shapes' names, one a line
//   reading_bench --log SHAPE BYTES     one such log to stdout (for the HTTP run)
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include "check/submission.h"
#include "logs/log_file.h"
#include "robot/log_validation.h"

namespace {

const char kHeader[] =
    "START-OF-LOG: 3.0\nCALLSIGN: DL4MCF\nCONTEST: DKZ-CW\nCATEGORY-OPERATOR: SINGLE-OP\n"
    "CATEGORY-BAND: ALL\nCATEGORY-MODE: CW\nCATEGORY-POWER: LOW\nCREATED-BY: reading_bench\n"
    "QSO:  7017 CW 2023-06-10 0906 DL4MCF        599 1      JP6OGM        599 AT\n";
const char kQso[] = "QSO:  7017 CW 2023-06-10 0906 DL4MCF        599 1      JP6OGM        599 AT\n";
const char kEnd[] = "END-OF-LOG:\n";
const char kAdifHeader[] = "made by reading_bench <EOH>\n";
const char kAdifQso[] =
    "<STATION_CALLSIGN:6>DL4MCF <CALL:6>JP6OGM <QSO_DATE:8>20230610 <TIME_ON:4>0906 "
    "<BAND:3>40m <MODE:2>CW <SRX_STRING:2>AT <EOR>\n";

struct Shape {
  const char* Name;
  std::string Head;  // a header and one good QSO
  std::string Unit;  // repeated to fill the log
  std::string Tail;
};

const std::vector<Shape>& Shapes() {
  const std::string head = kHeader;
  const std::string adif = std::string(kAdifHeader) + kAdifQso;
  static const std::vector<Shape> shapes = {
      {"header-lines", head, "x\n", kEnd},
      {"empty-lines", head, "\n", kEnd},
      {"lone-crs", head, "\r", kEnd},
      {"unknown-tags", head, "ABCD: x\n", kEnd},
      {"long-line", head, "x", std::string("\n") + kEnd},
      {"long-qso-line", head + "QSO:", " x", std::string("\n") + kEnd},
      {"same-qsos", head, kQso, kEnd},
      {"adif-bad-records", adif, "<CALL:3>W1A<MODE:2>CW<EOR>\n", ""},
      {"adif-lone-lts", adif, "<\n", ""},
      {"adif-same-qsos", adif, kAdifQso, ""},
  };
  return shapes;
}

// A log of `bytes` bytes: the shape's head, its unit as often as it fits,
// and its tail.
std::string HostileLog(const Shape& shape, size_t bytes) {
  std::string log = shape.Head;
  log.reserve(bytes);
  size_t room = bytes - shape.Head.size() - shape.Tail.size();
  for (size_t n = room / shape.Unit.size(); n > 0; --n)
    log += shape.Unit;
  return log + shape.Tail;
}

const Shape* FindShape(const std::string& name) {
  for (const Shape& shape : Shapes()) {
    if (name == shape.Name)
      return &shape;
  }
  return nullptr;
}

struct Took {
  double Cpu = 0;  // this process's, all threads
  double Wall = 0;
};

double CpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return now.tv_sec + now.tv_nsec / 1e9;
}

// The CPU time is the figure to compare: on a shared machine the wall time
// also holds the other processes' turns.
Took Measure(const std::function<void()>& work) {
  const double cpu = CpuSeconds();
  const auto wall = std::chrono::steady_clock::now();
  work();
  return {CpuSeconds() - cpu,
          std::chrono::duration<double>(std::chrono::steady_clock::now() - wall).count()};
}

void PrintTable(const CountryFile& countries, size_t largest, const std::string& only) {
  RobotSettings settings;
  settings.PeriodFrom = CalendarTime{2023, 6, 10, 0, 0, 0};
  settings.PeriodTo = CalendarTime{2023, 6, 11, 0, 0, 0};
  const SponsorTable table = SponsorTable::Default();
  const size_t sizes[] = {128 * 1024, 1024 * 1024, 4096 * 1024};
  std::printf("%-14s %8s %12s %12s %12s %9s\n", "shape", "size", "check s/MB", "robot s/MB",
              "robot wall", "warnings");
  for (const Shape& shape : Shapes()) {
    if (!only.empty() && only != shape.Name)
      continue;
    for (size_t size : sizes) {
      if (size > largest)
        continue;
      const std::string log = HostileLog(shape, size);
      const double megabytes = log.size() / (1024.0 * 1024.0);
      const Took check = Measure([&] {
        try {
          ReadSubmission("log", log);
        } catch (const InputError&) {
        }
      });
      LogVerdict verdict;
      const Took robot = Measure([&] { verdict = ValidateLog(log, settings, countries, table); });
      std::printf("%-14s %6zu K %12.3f %12.3f %10.2f s %9zu\n", shape.Name, size / 1024,
                  check.Cpu / megabytes, robot.Cpu / megabytes, robot.Wall,
                  verdict.Warnings.size());
      std::fflush(stdout);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 3 && args[0] == "--log") {
    const Shape* shape = FindShape(args[1]);
    size_t bytes = std::strtoul(args[2].c_str(), nullptr, 10);
    if (shape == nullptr || bytes < 1024) {
      std::cerr << "reading_bench: no shape '" << args[1] << "' or fewer than 1024 bytes\n";
      return 2;
    }
    std::cout << HostileLog(*shape, bytes);
    return 0;
  }
  if (args.size() == 1 && args[0] == "--shapes") {
    for (const Shape& shape : Shapes())
      std::cout << shape.Name << "\n";
    return 0;
  }
  if (args.empty() || args.size() > 3 || args[0].empty() || args[0][0] == '-') {
    std::cerr << "usage: reading_bench COUNTRY_FILE [LARGEST_KB [SHAPE]] | --shapes | --log SHAPE "
                 "BYTES\n";
    return 2;
  }
  CountryFile countries = CountryFile::Parse(ReadTextFile(args[0], args[0]), args[0]);
  PrintTable(countries,
             args.size() >= 2 ? std::strtoul(args[1].c_str(), nullptr, 10) * 1024 : SIZE_MAX,
             args.size() == 3 ? args[2] : "");
  return 0;
}
