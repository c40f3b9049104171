#include "platform/regex.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <array>

namespace Platform {

namespace {

constexpr uint32_t MatchLimit = 1'000'000;
constexpr uint32_t DepthLimit = 10'000;
constexpr uint32_t HeapLimitKiB = 64 * 1024;
constexpr std::size_t MaxResult = 64 * 1024;

std::string ErrorMessage(int code) {
  std::array<PCRE2_UCHAR, 256> buffer{};
  const int length = pcre2_get_error_message(code, buffer.data(), buffer.size());
  if (length < 0) return "error " + std::to_string(code);
  return std::string(reinterpret_cast<const char*>(buffer.data()),
                     static_cast<std::size_t>(length));
}

}  // namespace

struct TRegex::TCompiled {
  pcre2_code* Code = nullptr;
  pcre2_match_context* Context = nullptr;
  ~TCompiled() {
    pcre2_match_context_free(Context);
    pcre2_code_free(Code);
  }
};

TRegex::TRegex(const std::string& expression, bool caseSensitive)
    : FCompiled(std::make_unique<TCompiled>()) {
  uint32_t options = PCRE2_UTF | PCRE2_MATCH_INVALID_UTF;
  if (!caseSensitive) options |= PCRE2_CASELESS;
  int code = 0;
  PCRE2_SIZE offset = 0;
  FCompiled->Code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(expression.data()),
                                  expression.size(), options, &code, &offset, nullptr);
  if (FCompiled->Code == nullptr) {
    FError = ErrorMessage(code) + " at offset " + std::to_string(offset);
    return;
  }
  FCompiled->Context = pcre2_match_context_create(nullptr);
  if (FCompiled->Context == nullptr) {
    FError = "out of memory";
    return;
  }
  pcre2_set_match_limit(FCompiled->Context, MatchLimit);
  pcre2_set_depth_limit(FCompiled->Context, DepthLimit);
  pcre2_set_heap_limit(FCompiled->Context, HeapLimitKiB);
}

TRegex::~TRegex() = default;

bool TRegex::Valid() const { return FError.empty(); }

const std::string& TRegex::Error() const { return FError; }

bool TRegex::Replace(const std::string& subject, const std::string& replacement, bool all,
                     std::string& out, std::string& error) const {
  out = subject;
  error.clear();
  if (!Valid()) {
    error = FError;
    return false;
  }
  uint32_t options = PCRE2_SUBSTITUTE_UNSET_EMPTY | PCRE2_SUBSTITUTE_OVERFLOW_LENGTH;
  if (all) options |= PCRE2_SUBSTITUTE_GLOBAL;
  std::string result(subject.size() + replacement.size() + 64, '\0');
  for (int attempt = 0; attempt < 2; ++attempt) {
    PCRE2_SIZE length = result.size();
    const int rc = pcre2_substitute(
        FCompiled->Code, reinterpret_cast<PCRE2_SPTR>(subject.data()), subject.size(), 0, options,
        nullptr, FCompiled->Context, reinterpret_cast<PCRE2_SPTR>(replacement.data()),
        replacement.size(), reinterpret_cast<PCRE2_UCHAR*>(result.data()), &length);
    if (rc == PCRE2_ERROR_NOMEMORY && attempt == 0 && length <= MaxResult) {
      result.resize(length);
      continue;
    }
    if (rc < 0) {
      error = ErrorMessage(rc);
      return false;
    }
    if (rc == 0) return false;
    out.assign(result.data(), length);
    return true;
  }
  error = "the new name would be too long";
  return false;
}

}  // namespace Platform
