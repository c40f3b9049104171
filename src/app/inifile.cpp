#include "app/inifile.h"

namespace App {

EIniWriteError::EIniWriteError(const std::string& path)
    : EMorvaneError("Unable to write to " + path) {}

TCustomIniFile::TCustomIniFile(std::string fileName) : FFileName(std::move(fileName)) {}
TCustomIniFile::~TCustomIniFile() = default;
const std::string& TCustomIniFile::FileName() const { return FFileName; }

int32_t TCustomIniFile::ReadNumber(const std::string&, const std::string&, int32_t d) { return d; }
void TCustomIniFile::WriteNumber(const std::string&, const std::string&, int32_t) {}
bool TCustomIniFile::ReadFlag(const std::string&, const std::string&, bool d) { return d; }
void TCustomIniFile::WriteFlag(const std::string&, const std::string&, bool) {}

TIniFile::TIniFile(std::string fileName) : TCustomIniFile(std::move(fileName)) {}
std::string TIniFile::ReadText(const std::string&, const std::string&, const std::string& d) {
  return d;
}
void TIniFile::WriteText(const std::string&, const std::string&, const std::string&) {}
void TIniFile::ReadKeyNames(const std::string&, std::vector<std::string>& list) { list.clear(); }
void TIniFile::ReadKeyValues(const std::string&, std::vector<std::string>& list) { list.clear(); }

bool ParseIniNumber(const std::string&, int32_t&) { return false; }

}  // namespace App
