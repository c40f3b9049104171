#include <cstdio>
#include <string>
#include <vector>

#include <QApplication>

#include "app/qt/mainform.h"
#include "app/startdir.h"
#include "platform/system.h"
#include "ui/artwork.h"

// "morvane [DIR | FILE...]": the toolkit takes out its own options first; the
// exact bytes of DIR name the folder to open, those of the files of one folder
// the selection to list.
int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setWindowIcon(Artwork::AppIcon());
  const std::vector<std::string> args(argv + 1, argv + argc);
  const App::TStartFolder start =
      App::StartFolderFor(args, Platform::CurrentDirectory(), App::PathKindOf);
  if (!start.Warning.empty()) std::fputs(start.Warning.c_str(), stderr);
  return RunApplication(TMainFormPaths::Defaults(), start);
}
