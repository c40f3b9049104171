#include <QApplication>

#include "app/qt/artwork.h"
#include "app/qt/mainform.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setWindowIcon(Artwork::AppIcon());
  return RunApplication(TMainFormPaths::Defaults());
}
