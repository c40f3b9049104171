#include "app/helpfile.h"

#include <string>

#include "platform/filesystem.h"
#include "platform/system.h"
#include "settings/paths.h"

namespace App {

const char* const ChmMimeTypes[2] = {"application/vnd.ms-htmlhelp", "application/x-chm"};

namespace {

bool ChmHandlerRegistered(const THelpFacts& facts) {
  for (const char* type : ChmMimeTypes)
    if (!facts.DefaultApplicationFor(type).empty()) return true;
  return false;
}

}  // namespace

std::string ChooseHelpFile(const std::string& dataDir, const THelpFacts& facts) {
  const std::string chm = dataDir + "help.chm";
  const std::string html = dataDir + "html/index.html";
  if (facts.Exists(chm) && ChmHandlerRegistered(facts)) return chm;
  return facts.Exists(html) ? html : chm;
}

std::string HelpFileToOpen() {
  return ChooseHelpFile(Settings::DataDir(),
                        {Platform::DefaultApplicationFor, Platform::PathExists});
}

}  // namespace App
