// What the standard library would bring into the download for a console and for error texts
// nobody reads: replaced by the least that behaves the same for Veilpix.
#include <cstdlib>
#include <exception>
#include <new>

#if defined(__GLIBCXX__)
// A GUI program has no console to print a demangled reason for std::terminate on; leaving out
// libstdc++'s verbose handler leaves out its demangler too, a sixth of the download.
namespace __gnu_cxx {
void __verbose_terminate_handler() {
  std::abort();
}
}  // namespace __gnu_cxx

namespace {

// What the containers throw when misused. The one catch in Veilpix takes any std::exception, so a
// plain one behaves the same; std::logic_error's family would bring libstdc++'s second,
// reference-counted std::string with it, a quarter of the download.
class MisuseError : public std::exception {
 public:
  explicit MisuseError(const char* what) : what_(what) {}
  const char* what() const noexcept override { return what_; }

 private:
  const char* what_;
};

}  // namespace

namespace std {
void __throw_bad_alloc() {
  throw bad_alloc();
}
void __throw_bad_array_new_length() {
  throw bad_array_new_length();
}
void __throw_length_error(const char* what) {
  throw MisuseError(what);
}
void __throw_logic_error(const char* what) {
  throw MisuseError(what);
}
void __throw_out_of_range_fmt(const char* format, ...) {
  throw MisuseError(format);
}
}  // namespace std
#endif
