#include "rename/preview.h"

namespace Rename {

namespace {

void PreviewPattern(FileList::TFileItems& items, const TPatternOptions& options,
                    const std::vector<Platform::TFileFacts>& facts) {
  TTemplate parsed;
  TTemplateError error;
  if (!ParseTemplate(options.Template, parsed, error)) return;
  for (TTemplatePart& part : parsed.Parts)
    if (!part.Literal && part.Field == TField::Number && part.Width == 0)
      part.Width = options.Width;
  const Platform::TFileFacts none;
  for (std::size_t i = 0; i < items.size(); ++i) {
    FileList::TFileItem& item = items[i];
    int64_t number = 0;
    const bool formatted = RowNumber(options, i, number) &&
                           FormatTemplate(parsed, item.OldName, number,
                                          i < facts.size() ? facts[i] : none, item.NewName);
    item.Conflict = formatted ? FileList::TConflict::None : FileList::TConflict::Missing;
    if (!formatted) item.NewName = item.OldName;
  }
}

}  // namespace

Platform::TNeededFacts NeededFacts(const TPreviewOptions& options) {
  if (options.Page != TPage::Pattern) return {};
  TTemplate parsed;
  TTemplateError error;
  if (!ParseTemplate(options.Pattern.Template, parsed, error)) return {};
  return parsed.Needed;
}

void Preview(FileList::TFileItems& items, const TPreviewOptions& options,
             const std::vector<Platform::TFileFacts>& facts) {
  if (options.Page == TPage::Pattern) return PreviewPattern(items, options.Pattern, facts);
  const TCharSub replace(options.Page == TPage::Rename ? TReplaceOptions{} : options.Replace);
  for (std::size_t i = 0; i < items.size(); ++i) {
    FileList::TFileItem& item = items[i];
    item.NewName = options.Page == TPage::Rename
                       ? SetNewName(options.Name, item.OldName, static_cast<int64_t>(i) + 1)
                       : replace.Apply(item.OldName);
    item.Conflict = FileList::TConflict::None;
  }
}

void PreviewReading(FileList::TFileItems& items, const TPreviewOptions& options,
                    const std::string& dirText, const FileList::TFactsReader& reader) {
  const Platform::TNeededFacts needed = NeededFacts(options);
  Preview(items, options, FileList::ReadRowFacts(dirText, items, needed, reader));
}

}  // namespace Rename
