// The native (non-Windows) build stands in for the Japanese ANSI code page with glibc's CP932
// converter, so that double-byte behaviour is exercised by the native tests too.
#include "core/ansi_text.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace veilpix {
namespace {

class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open failed");
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Bytes that cannot be converted become `replacement`, as Windows substitutes a default
  // character instead of failing.
  std::string Run(const char* data, size_t size, size_t unit, std::string_view replacement) {
    std::string out;
    char buffer[256];
    char* in = const_cast<char*>(data);
    size_t in_left = size;
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    while (in_left > 0) {
      char* dst = buffer;
      size_t dst_left = sizeof buffer;
      const size_t rc = iconv(cd_, &in, &in_left, &dst, &dst_left);
      out.append(buffer, static_cast<size_t>(dst - buffer));
      if (rc != static_cast<size_t>(-1)) continue;
      if (errno == E2BIG) continue;
      out.append(replacement);  // EILSEQ or a truncated sequence at the end
      const size_t skip = in_left < unit ? in_left : unit;
      in += skip;
      in_left -= skip;
    }
    return out;
  }

 private:
  iconv_t cd_;
};

}  // namespace

std::string ToAnsi(std::wstring_view text) {
  static Converter converter("CP932", "WCHAR_T");
  return converter.Run(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t),
                       sizeof(wchar_t), "?");
}

std::wstring FromAnsi(std::string_view bytes) {
  static Converter converter("WCHAR_T", "CP932");
  const wchar_t question = L'?';
  const std::string wide =
      converter.Run(bytes.data(), bytes.size(), 1,
                    std::string_view(reinterpret_cast<const char*>(&question), sizeof question));
  return std::wstring(reinterpret_cast<const wchar_t*>(wide.data()), wide.size() / sizeof(wchar_t));
}

}  // namespace veilpix
