#include "filelist/filter.h"

namespace FileList {

std::vector<std::string> ParseFilter(const std::string&) { return {"."}; }

std::string_view ExtractExt(std::string_view) { return {}; }

std::string_view ExtractNameWithoutExt(std::string_view name) { return name; }

TFilter::TFilter(const std::vector<std::string>&) {}

bool TFilter::AllFiles() const { return FAllFiles; }

bool TFilter::HasExtension(std::string_view) const { return false; }

}  // namespace FileList
