#include "rename/pattern.h"

#include <array>
#include <optional>

#include "platform/casemap.h"
#include "platform/pathname.h"
#include "platform/timeformat.h"

namespace Rename {

namespace {

enum class TArgument : uint8_t { None, Width, Format };

struct TFieldWord {
  std::string_view Word;
  TField Field;
  TArgument Argument;
};

constexpr std::array<TFieldWord, 11> FieldWords{{{"name", TField::Name, TArgument::None},
                                                 {"ext", TField::Ext, TArgument::None},
                                                 {"n", TField::Number, TArgument::Width},
                                                 {"taken", TField::Taken, TArgument::Format},
                                                 {"modified", TField::Modified, TArgument::Format},
                                                 {"camera", TField::Camera, TArgument::None},
                                                 {"artist", TField::Artist, TArgument::None},
                                                 {"album", TField::Album, TArgument::None},
                                                 {"title", TField::Title, TArgument::None},
                                                 {"year", TField::Year, TArgument::None},
                                                 {"track", TField::Track, TArgument::Width}}};

constexpr int MaxWidth = MaxNumberWidth;

bool Fail(TTemplateError& error, std::size_t offset, std::string message) {
  error.Offset = offset;
  error.Message = std::move(message);
  return false;
}

void NoteNeeded(TTemplate& parsed, TField field) {
  Platform::TNeededFacts& needed = parsed.Needed;
  switch (field) {
    case TField::Taken:
      needed.Taken = true;
      break;
    case TField::Modified:
      needed.Modified = true;
      break;
    case TField::Camera:
      needed.Camera = true;
      break;
    case TField::Artist:
    case TField::Album:
    case TField::Title:
    case TField::Year:
    case TField::Track:
      needed.Audio = true;
      break;
    case TField::Name:
    case TField::Ext:
    case TField::Number:
      return;
  }
  parsed.NeedsFacts = true;
}

bool ParseWidth(std::string_view text, std::size_t offset, int& width, TTemplateError& error) {
  width = 0;
  const bool digits = !text.empty() && text.size() <= 3 &&
                      text.find_first_not_of("0123456789") == std::string_view::npos;
  if (digits) {
    for (const char c : text) width = width * 10 + (c - '0');
  }
  if (!digits || width > MaxWidth)
    return Fail(error, offset, "the width must be a number from 0 to " + std::to_string(MaxWidth));
  return true;
}

bool ParseArgument(const TFieldWord& word, std::string_view argument, std::size_t offset,
                   TTemplatePart& part, TTemplateError& error) {
  if (word.Argument == TArgument::None)
    return Fail(error, offset - 1, "the field '" + std::string(word.Word) + "' takes no ':'");
  if (word.Argument == TArgument::Width) return ParseWidth(argument, offset, part.Width, error);
  if (argument.empty()) return Fail(error, offset, "the date format is empty");
  part.Text = argument;
  std::size_t at = 0;
  std::string message;
  if (!Platform::AllowedTimeFormat(part.Text, at, message))
    return Fail(error, offset + at, message);
  return true;
}

// Parses the text between braces, which starts at byte offset of the template.
bool ParseField(std::string_view body, std::size_t offset, TTemplate& parsed,
                TTemplateError& error) {
  const std::size_t colon = body.find(':');
  const std::string_view word = body.substr(0, colon);
  const TFieldWord* found = nullptr;
  for (const TFieldWord& candidate : FieldWords) {
    if (candidate.Word == word) found = &candidate;
  }
  if (found == nullptr) {
    if (word.empty()) return Fail(error, offset, "a field has no name");
    return Fail(error, offset, "unknown field '" + std::string(word) + "'");
  }
  TTemplatePart part;
  part.Literal = false;
  part.Field = found->Field;
  if (found->Argument == TArgument::Format) part.Text = DefaultDateFormat;
  if (colon != std::string_view::npos &&
      !ParseArgument(*found, body.substr(colon + 1), offset + colon + 1, part, error))
    return false;
  NoteNeeded(parsed, part.Field);
  parsed.Parts.push_back(std::move(part));
  return true;
}

void FlushLiteral(TTemplate& parsed, std::string& literal) {
  if (literal.empty()) return;
  TTemplatePart part;
  part.Text = std::move(literal);
  parsed.Parts.push_back(std::move(part));
  literal.clear();
}

// The number in at least width characters, zeros after the sign as printf's
// "%0*lld" puts them.
std::string Padded(int64_t value, int width) {
  std::string text = std::to_string(value);
  const std::size_t sign = value < 0 ? 1 : 0;
  const auto wanted = static_cast<std::size_t>(width);
  if (text.size() < wanted) text.insert(sign, wanted - text.size(), '0');
  return text;
}

// A text field gives nothing when absent or empty.
bool TextField(const std::optional<std::string>& value, std::string& text) {
  if (!value || value->empty()) return false;
  text = *value;
  return true;
}

bool PositiveField(const std::optional<int>& value, int width, std::string& text) {
  if (!value || *value <= 0) return false;
  text = Padded(*value, width);
  return true;
}

bool DateField(const std::optional<int64_t>& value, bool local, const std::string& format,
               std::string& text) {
  return value && Platform::FormatTime(*value, local, format, text);
}

bool FieldText(const TTemplatePart& part, std::string_view oldName, int64_t number,
               const Platform::TFileFacts& facts, std::string& text) {
  switch (part.Field) {
    case TField::Name:
      text = Platform::PathName(Platform::ExtractNameWithoutExt(oldName));
      return true;
    case TField::Ext:
      text = Platform::ExtractExt(oldName);
      return true;
    case TField::Number:
      text = Padded(number, part.Width);
      return true;
    case TField::Taken:
      return DateField(facts.Taken, false, part.Text, text);
    case TField::Modified:
      return DateField(facts.Modified, true, part.Text, text);
    case TField::Camera:
      return TextField(facts.Camera, text);
    case TField::Artist:
      return TextField(facts.Artist, text);
    case TField::Album:
      return TextField(facts.Album, text);
    case TField::Title:
      return TextField(facts.Title, text);
    case TField::Year:
      return PositiveField(facts.Year, 0, text);
    case TField::Track:
      return PositiveField(facts.Track, part.Width, text);
  }
  return false;
}

// A field's text cannot split the name into folders or end it early.
void AppendSafe(std::string& name, const std::string& text) {
  for (const char c : text) name += c == '/' || c == '\0' ? '_' : c;
}

}  // namespace

const char DefaultDateFormat[] = "%Y-%m-%d %H.%M.%S";

bool ParseTemplate(std::string_view text, TTemplate& parsed, TTemplateError& error) {
  parsed = {};
  std::string literal;
  for (std::size_t i = 0; i < text.size();) {
    const char c = text[i];
    const bool doubled = i + 1 < text.size() && text[i + 1] == c;
    if ((c == '{' || c == '}') && doubled) {
      literal += c;
      i += 2;
      continue;
    }
    if (c == '}') return Fail(error, i, "'}' without '{' (write '}}' for a brace)");
    if (c != '{') {
      literal += c;
      ++i;
      continue;
    }
    const std::size_t close = text.find_first_of("{}", i + 1);
    if (close == std::string_view::npos || text[close] == '{')
      return Fail(error, i, "'{' without '}' (write '{{' for a brace)");
    FlushLiteral(parsed, literal);
    if (!ParseField(text.substr(i + 1, close - i - 1), i + 1, parsed, error)) return false;
    i = close + 1;
  }
  FlushLiteral(parsed, literal);
  return true;
}

std::size_t CharacterAt(std::string_view text, std::size_t offset) {
  std::size_t characters = 1;
  for (std::size_t i = 0; i < offset && i < text.size();) {
    char32_t cp = 0;
    const std::size_t length = Platform::DecodeUtf8(text, i, cp);
    i += length > 0 ? length : 1;
    ++characters;
  }
  return characters;
}

bool FormatTemplate(const TTemplate& parsed, std::string_view oldName, int64_t number,
                    const Platform::TFileFacts& facts, std::string& name) {
  name.clear();
  std::string text;
  for (const TTemplatePart& part : parsed.Parts) {
    if (part.Literal) {
      name += part.Text;
      continue;
    }
    if (!FieldText(part, oldName, number, facts, text)) return false;
    AppendSafe(name, text);
  }
  return true;
}

bool RowNumber(const TPatternOptions& options, std::size_t index, int64_t& number) {
  int64_t offset = 0;
  if (index > static_cast<std::size_t>(INT64_MAX)) return false;
  if (__builtin_mul_overflow(static_cast<int64_t>(index), options.Step, &offset)) return false;
  return !__builtin_add_overflow(options.Start, offset, &number);
}

}  // namespace Rename
