#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "settings/errors.h"

namespace Settings {

// Raised by a write that cannot be carried out: "Unable to write to <path>".
class EIniWriteError : public EMorvaneError {
 public:
  explicit EIniWriteError(const std::string& path);
};

// Profile store: reads and writes one INI-format file. It keeps nothing of the
// file between calls, so two stores on one file see each other's writes.
class TCustomIniFile {
 public:
  explicit TCustomIniFile(std::string fileName);
  virtual ~TCustomIniFile();

  const std::string& FileName() const;

  virtual std::string ReadText(const std::string& section, const std::string& key,
                               const std::string& defaultText) = 0;
  virtual void WriteText(const std::string& section, const std::string& key,
                         const std::string& value) = 0;
  virtual int32_t ReadNumber(const std::string& section, const std::string& key,
                             int32_t defaultValue);
  virtual void WriteNumber(const std::string& section, const std::string& key, int32_t value);
  virtual bool ReadFlag(const std::string& section, const std::string& key, bool defaultValue);
  virtual void WriteFlag(const std::string& section, const std::string& key, bool value);
  virtual void ReadKeyNames(const std::string& section, std::vector<std::string>& list) = 0;
  virtual void ReadKeyValues(const std::string& section, std::vector<std::string>& list) = 0;

 private:
  std::string FFileName;
};

class TIniFile : public TCustomIniFile {
 public:
  explicit TIniFile(std::string fileName);

  std::string ReadText(const std::string& section, const std::string& key,
                       const std::string& defaultText) override;
  void WriteText(const std::string& section, const std::string& key,
                 const std::string& value) override;
  void ReadKeyNames(const std::string& section, std::vector<std::string>& list) override;
  void ReadKeyValues(const std::string& section, std::vector<std::string>& list) override;
};

// Reads a number by the store's rules (decimal or $, x, 0x hexadecimal; see
// TCustomIniFile::ReadNumber). False when text is not a number.
bool ParseIniNumber(const std::string& text, int32_t& value);

}  // namespace Settings
