// Times applying a language file to a window. "bench_language FILE KEYS"
// writes a language file of KEYS texts for a window of as many labels, then
// applies it (best of three) and reads the same file plainly (best of three),
// and prints both times, the number of texts applied and their ratio.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "lang/formmodel.h"
#include "lang/tovlanguage.h"
#include "platform/filesystem.h"

namespace {

constexpr int Runs = 3;

class TBenchComponent : public Lang::TFormComponent {
 public:
  explicit TBenchComponent(std::string name) : FName(std::move(name)) {}
  std::string Name() const override { return FName; }
  std::string ClassName() const override { return "TLabel"; }
  std::string GetText(const std::string& property) const override;
  void SetText(const std::string& property, const std::string& value) override;
  int Changes() const { return FChanges; }

 private:
  std::string FName;
  std::map<std::string, std::string> FTexts;
  int FChanges = 0;
};

std::string TBenchComponent::GetText(const std::string& property) const {
  auto found = FTexts.find(property);
  return found == FTexts.end() ? std::string() : found->second;
}

void TBenchComponent::SetText(const std::string& property, const std::string& value) {
  FTexts[property] = value;
  ++FChanges;
}

class TBenchForm : public Lang::TFormModel {
 public:
  explicit TBenchForm(int count) {
    for (int i = 0; i < count; ++i) FComponents.emplace_back("Label" + std::to_string(i));
  }
  std::string Name() const override { return "MainForm"; }
  std::size_t ComponentCount() const override { return FComponents.size(); }
  Lang::TFormComponent& Component(std::size_t index) override { return FComponents[index]; }
  int Changes() const {
    int changes = 0;
    for (const TBenchComponent& component : FComponents) changes += component.Changes();
    return changes;
  }

 private:
  std::vector<TBenchComponent> FComponents;
};

class TNoChooser : public Lang::TLanguageFileChooser {
 public:
  bool ChooseLanguageFile(const std::string&, std::string&) override { return false; }
};

// Keys in reverse creation order, so that a search from the front of the
// window's list is as slow as it can be.
bool WriteLanguageFile(const std::string& path, int keys) {
  std::string data = "[Translations]\r\n";
  for (int i = keys - 1; i >= 0; --i)
    data += "MainForm.Label" + std::to_string(i) + ".Caption=Translated caption number " +
            std::to_string(i) + " of the window, long enough to look like a real one~~\r\n";
  return Platform::ReplaceFile(path, data) == 0;
}

double BestTime(const std::function<void()>& run) {
  double best = 1e9;
  for (int i = 0; i < Runs; ++i) {
    auto start = std::chrono::steady_clock::now();
    run();
    std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    if (took.count() < best) best = took.count();
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: bench_language FILE KEYS\n");
    return 2;
  }
  const std::string path = argv[1];
  const int keys = std::atoi(argv[2]);
  if (keys <= 0 || !WriteLanguageFile(path, keys)) {
    std::fprintf(stderr, "bench_language: cannot write %s\n", path.c_str());
    return 1;
  }
  TNoChooser chooser;
  Lang::TtovLanguage language(chooser, "/nonexistent/", "/nonexistent/morvane.ini");
  int applied = 0;
  const double load = BestTime([&] {
    TBenchForm form(keys);
    language.LoadLanguage(form, path);
    applied = form.Changes();
  });
  std::string data;
  const double read = BestTime([&] { Platform::ReadFile(path, data); });
  std::printf("texts:            %d in %zu bytes (applied: %d)\n", keys, data.size(), applied);
  std::printf("LoadLanguage:     %.4f s (best of %d)\n", load, Runs);
  std::printf("ReadFile:         %.4f s (best of %d)\n", read, Runs);
  std::printf("ratio load/read:  %.1fx\n", read > 0 ? load / read : 0.0);
  return 0;
}
