// Veilpix is built without exceptions, so nothing in it could catch what the standard library's
// containers throw on misuse or on exhausted memory. Their throwing helpers end the program at
// once instead; that also keeps the exception classes they would throw, with libstdc++'s second
// std::string and its demangler, out of the download (about half of it).
#include <cstdlib>
#include <new>

// The library's operator new throws std::bad_alloc, which brings the unwinder in (25 KB).
void* operator new(std::size_t size) {
  if (void* block = std::malloc(size ? size : 1)) return block;
  std::abort();
}
void* operator new[](std::size_t size) {
  return operator new(size);
}
void operator delete(void* block) noexcept {
  std::free(block);
}
void operator delete[](void* block) noexcept {
  std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
  std::free(block);
}
void operator delete[](void* block, std::size_t) noexcept {
  std::free(block);
}

#if defined(__GLIBCXX__)
namespace __gnu_cxx {
void __verbose_terminate_handler() {
  std::abort();
}
}  // namespace __gnu_cxx

namespace std {
void __throw_bad_alloc() {
  abort();
}
void __throw_bad_array_new_length() {
  abort();
}
void __throw_length_error(const char*) {
  abort();
}
void __throw_logic_error(const char*) {
  abort();
}
void __throw_out_of_range_fmt(const char*, ...) {
  abort();
}
}  // namespace std
#endif
