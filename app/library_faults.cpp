// The C++ library's own error paths, as the program meets them: a string or
// vector asked to grow past its largest size, a string made from a null
// pointer, a position past the end. The program catches no exception, so
// each of these would end it through std::terminate; here they end it with
// its one fatal error instead, as running out of memory does
// (runtime/out_of_memory.cpp). Defined here, and with no guards of statics
// (cmake/shipped_image.cmake), nothing calls the library's exception
// machinery (exception classes, unwinder, a terminate handler that demangles
// type names): some 180 KB of code and tables stay out of the program.
// This is the whole set that the library defines in one object: leave one
// out and that object comes back for it, and the link stops on duplicates.
// Linked into the program alone: the tests keep the library's throwing forms.
#include <new>
#include <stdexcept>

#include "runtime/fatal_error.h"

namespace {

[[noreturn]] void library_fault(const char* what) { runtime::fatal_error(0, what); }

}  // namespace

namespace std {

void __throw_bad_exception() { library_fault("bad_exception"); }
void __throw_bad_alloc() { library_fault("bad_alloc"); }
void __throw_bad_array_new_length() { library_fault("bad_array_new_length"); }
void __throw_bad_cast() { library_fault("bad_cast"); }
void __throw_bad_typeid() { library_fault("bad_typeid"); }
void __throw_logic_error(const char* what) { library_fault(what); }
void __throw_domain_error(const char* what) { library_fault(what); }
void __throw_invalid_argument(const char* what) { library_fault(what); }
void __throw_length_error(const char* what) { library_fault(what); }
void __throw_out_of_range(const char* what) { library_fault(what); }
// The format's arguments are left out: the words say enough.
void __throw_out_of_range_fmt(const char* format, ...) { library_fault(format); }
void __throw_runtime_error(const char* what) { library_fault(what); }
void __throw_range_error(const char* what) { library_fault(what); }
void __throw_overflow_error(const char* what) { library_fault(what); }
void __throw_underflow_error(const char* what) { library_fault(what); }

}  // namespace std
