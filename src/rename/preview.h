#pragma once

#include <cstdint>
#include <vector>

#include "filelist/facts.h"
#include "filelist/fileitem.h"
#include "rename/charsub.h"
#include "rename/namebuilder.h"
#include "rename/pattern.h"

namespace Rename {

// The options page whose choices make the new names.
enum class TPage : uint8_t { Rename, Replace, Pattern };

struct TPreviewOptions {
  TPage Page = TPage::Rename;  // Rename: SetNewName; Replace: CharSub; Pattern: the template
  TNameOptions Name;
  TReplaceOptions Replace;
  TPatternOptions Pattern;
};

// What the files must be read for: nothing unless the Pattern page's template
// parses and names metadata fields.
Platform::TNeededFacts NeededFacts(const TPreviewOptions& options);

// Writes the new name of every row, numbering rows in list order. The Pattern
// page takes facts[i] for row i (none when facts is shorter); a row that
// lacks a field keeps its name and gets the conflict Missing; every other
// row's conflict is cleared, on every page. A template that does not parse changes nothing.
void Preview(FileList::TFileItems& items, const TPreviewOptions& options,
             const std::vector<Platform::TFileFacts>& facts = {});

// Reads the facts the options need for the rows (none when they need none)
// and previews with them.
void PreviewReading(FileList::TFileItems& items, const TPreviewOptions& options,
                    const std::string& dirText, const FileList::TFactsReader& reader);

}  // namespace Rename
