// Times the preview of a long list for a few option sets against a plain loop
// that formats the same kind of names, and prints the seconds of each.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "filelist/fileitem.h"
#include "rename/preview.h"

namespace {

double Seconds(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  return took.count();
}

void Report(const char* what, double seconds, double baseline) {
  std::printf("%-34s %8.1f ms  %5.2fx plain loop\n", what, seconds * 1000, seconds / baseline);
}

}  // namespace

int main(int argc, char** argv) {
  const long count = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 100000;
  FileList::TFileItems items(count);
  for (long i = 0; i < count; ++i) {
    char name[48];
    std::snprintf(name, sizeof name, "Urlaub Ärger %06ld.JPG", i + 1);
    items[i].OldName = name;
  }
  std::string sink;
  const double baseline = Seconds([&] {
    for (long i = 0; i < count; ++i) {
      char name[32];
      std::snprintf(name, sizeof name, "img_%05ld.JPG", i + 1);
      items[i].NewName = name;
    }
  });
  std::printf("plain loop of %ld names             %8.1f ms\n", count, baseline * 1000);

  Rename::TPreviewOptions numbering;
  numbering.Name.Prefix = true;
  numbering.Name.PrefixText = "img_";
  numbering.Name.NamePart = Rename::TNamePart::PaddedNumber;
  Report("prefix + clever numbering", Seconds([&] { Rename::Preview(items, numbering); }),
         baseline);

  Rename::TPreviewOptions lower;
  lower.Name.NamePart = Rename::TNamePart::Original;
  lower.Name.NameCase = Rename::TNameCase::Lower;
  Report("original name, lower case", Seconds([&] { Rename::Preview(items, lower); }), baseline);

  Rename::TPreviewOptions replace;
  replace.Page = Rename::TPage::Replace;
  replace.Replace = {"ärger", "Freude", false};
  Report("replace, case-blind", Seconds([&] { Rename::Preview(items, replace); }), baseline);
  return items.back().NewName.empty() ? 1 : 0;
}
