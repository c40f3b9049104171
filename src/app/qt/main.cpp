#include <cstdio>
#include <string>
#include <vector>

#include <QApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QLibraryInfo>
#include <QPluginLoader>

#include "app/qt/mainform.h"
#include "app/startdir.h"
#include "app/toolkitoptions.h"
#include "platform/pathname.h"
#include "platform/system.h"
#include "ui/artwork.h"
#include "ui/qttext.h"

namespace {

const QString PlatformInterface = QStringLiteral("QPlatformIntegrationFactoryInterface");

// The keys of a platform plugin, as its metadata names them; empty for
// anything else. The library's metadata is read without loading it.
void AddPlatformKeys(const QJsonObject& metaData, std::vector<std::string>& names) {
  if (!metaData.value(QStringLiteral("IID")).toString().contains(PlatformInterface)) return;
  const QJsonArray keys =
      metaData.value(QStringLiteral("MetaData")).toObject().value(QStringLiteral("Keys")).toArray();
  for (const auto& key : keys) names.push_back(QtText::ToUtf8(key.toString()));
}

// Where the toolkit looks for platform plugins: the folder given on the
// command line, QT_PLUGIN_PATH, the program's folder and the library's own.
std::vector<std::string> PlatformNames(const std::string& pluginPath) {
  QStringList folders;
  if (!pluginPath.empty()) folders << QtText::FromUtf8(pluginPath);
  const QString envPaths = QtText::FromUtf8(Platform::EnvironmentValue("QT_PLUGIN_PATH"));
  for (const QString& path : envPaths.split(QLatin1Char(':'), Qt::SkipEmptyParts))
    folders << path + QStringLiteral("/platforms");
  const std::string exeDir(Platform::PathFolder(Platform::ExecutablePath()));
  folders << QtText::FromUtf8(exeDir) + QStringLiteral("platforms");
  folders << QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platforms");
  std::vector<std::string> names;
  for (const QStaticPlugin& plugin : QPluginLoader::staticPlugins())
    AddPlatformKeys(plugin.metaData(), names);
  for (const QString& folder : folders) {
    const QDir dir(folder);
    for (const QString& file : dir.entryList({QStringLiteral("*.so")}, QDir::Files))
      AddPlatformKeys(QPluginLoader(dir.filePath(file)).metaData(), names);
  }
  return names;
}

}  // namespace

// "morvane [DIR | FILE...]": the toolkit's own options that read files or
// load a plugin are checked before the toolkit sees them, then it takes out
// its options; the exact bytes of DIR name the folder to open, those of the
// files of one folder the selection to list.
int main(int argc, char** argv) {
  Platform::ReturnLargeBlocksWhenFreed();
  const std::string problems = App::CheckToolkitOptions(
      std::vector<std::string>(argv + 1, argv + argc), {Platform::RegularFileSize, PlatformNames});
  if (!problems.empty()) {
    std::fputs(problems.c_str(), stderr);
    return 2;
  }
  QApplication app(argc, argv);
  QApplication::setWindowIcon(Artwork::AppIcon());
  const std::vector<std::string> args(argv + 1, argv + argc);
  const App::TStartFolder start =
      App::StartFolderFor(args, Platform::CurrentDirectory(), App::PathKindOf);
  if (!start.Warning.empty()) std::fputs(start.Warning.c_str(), stderr);
  return RunApplication(TMainFormPaths::Defaults(), start);
}
