// The window over a large folder, offscreen: time to its first drawing, the
// longest the window's thread went unanswered (a 10 ms timer's largest gap)
// while it read, previewed and renamed, its memory per row, and the run's
// time, which bench_window.sh sets beside morvane-cli's.
// Usage: bench_window <folder> <appdir>  (appdir holds the settings file)
#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include "app/qt/mainform.h"
#include "filelist/qt/filelistmodel.h"

namespace {

// What the process holds, once freed memory has gone back to the system.
long ResidentBytes() {
  ::malloc_trim(0);
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return resident * ::sysconf(_SC_PAGESIZE);
}

// Notes the largest gap between the ticks of a 10 ms timer.
class TGapMeter {
 public:
  TGapMeter() {
    QObject::connect(&FTimer, &QTimer::timeout,
                     [this]() { FLongest = std::max(FLongest, FClock.restart()); });
    FClock.start();
    FTimer.start(10);
  }
  qint64 Longest() const { return std::max(FLongest, FClock.elapsed()); }

 private:
  QTimer FTimer;
  QElapsedTimer FClock;
  qint64 FLongest = 0;
};

void Click(TMainForm& form, const char* name) {
  form.findChild<QAbstractButton*>(QString::fromUtf8(name))->click();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return std::fprintf(stderr, "usage: bench_window <folder> <appdir>\n"), 2;
  QElapsedTimer launch;
  launch.start();
  QApplication app(argc, argv);
  const std::string folder = argv[1];
  const TMainFormPaths paths{std::string(argv[2]) + "/", std::string(argv[2]) + "/morvane.ini"};
  TMainForm form(paths);
  form.show();
  QApplication::processEvents();  // the first drawing
  const qint64 firstPaint = launch.elapsed();
  const long before = ResidentBytes();
  TGapMeter gaps;
  QElapsedTimer clock;
  clock.start();
  form.OpenDirectory(folder);
  const qint64 scan = clock.restart();
  const long rows = form.FileListModel()->rowCount();
  long names = 0;
  for (const FileList::TFileItem& item : form.FileListModel()->Items())
    names += static_cast<long>(item.OldName.size());
  const long perRow = rows ? (ResidentBytes() - before) / rows - names / rows : 0;
  Click(form, "TestBtn");
  const qint64 test = clock.restart();
  Click(form, "GoBTn");
  const qint64 run = clock.elapsed();
  std::printf("%lld %lld %lld %lld %lld %ld %ld\n", static_cast<long long>(firstPaint),
              static_cast<long long>(gaps.Longest()), static_cast<long long>(scan),
              static_cast<long long>(test), static_cast<long long>(run), rows, perRow);
  return 0;
}
