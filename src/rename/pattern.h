#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/metadata.h"

namespace Rename {

// The choices of the Pattern page: a template forms each whole new name.
struct TPatternOptions {
  std::string Template;
  int64_t Start = 1;  // {n} of the first row
  int64_t Step = 1;   // added for each further row
  int Width = 0;      // {n} without a width of its own is zero-padded to it
};

// The widest a running number may be padded.
constexpr int MaxNumberWidth = 255;

// The fields a template can name.
enum class TField : uint8_t {
  Name,      // old name without extension
  Ext,       // old extension with its dot
  Number,    // running number
  Taken,     // date taken
  Modified,  // modification time, local time
  Camera,
  Artist,
  Album,
  Title,
  Year,
  Track
};

// One piece of a parsed template: literal text, or a field with its width
// ({n:W}, {track:W}) or date format ({taken:FMT}, {modified:FMT}).
struct TTemplatePart {
  bool Literal = true;
  std::string Text;  // the literal text, or the date format
  TField Field = TField::Name;
  int Width = 0;
};

struct TTemplate {
  std::vector<TTemplatePart> Parts;
  Platform::TNeededFacts Needed;  // what the fields read from the files
  bool NeedsFacts = false;        // any of Needed
};

// Why a template does not parse: Offset is the byte where the fault lies.
struct TTemplateError {
  std::size_t Offset = 0;
  std::string Message;
};

// The default date format of {taken} and {modified}.
extern const char DefaultDateFormat[];

// Parses text; false with error set when it is not a template. Text outside
// braces is literal, "{{" and "}}" stand for braces.
bool ParseTemplate(std::string_view text, TTemplate& parsed, TTemplateError& error);

// The 1-based character (UTF-8 code point) of a byte offset, for messages.
std::size_t CharacterAt(std::string_view text, std::size_t offset);

// The new name of one file: false when the file lacks a field the template
// names (or its number does not fit). A field's "/" and NUL become "_".
bool FormatTemplate(const TTemplate& parsed, std::string_view oldName, int64_t number,
                    const Platform::TFileFacts& facts, std::string& name);

// The running number of row index: start + index * step; false on overflow.
bool RowNumber(const TPatternOptions& options, std::size_t index, int64_t& number);

}  // namespace Rename
