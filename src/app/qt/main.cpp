#include <QApplication>

#include "app/qt/mainform.h"
#include "ui/artwork.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setWindowIcon(Artwork::AppIcon());
  return RunApplication(TMainFormPaths::Defaults());
}
