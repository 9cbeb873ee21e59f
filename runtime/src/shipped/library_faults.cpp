// Faults of the C++ library in the shipped files end the way every
// unrecoverable fault of the program ends: the "运行时出错!" box and exit
// code -1 (a fault the program has no other answer to, such as a string
// longer than memory).
//
// The library's own versions throw exceptions, which nothing in the program
// catches, and link in its exception classes with their strings and the
// demangler that the default terminate handler prints with: about a hundred
// kilobytes in each file. Defining every routine of that group here keeps
// the library's versions out. The tests do not link this file; they keep
// the library's exceptions.
#include <cstdarg>
#include <cstdio>
#include <exception>
#include <string>

#include "rt/program.h"

namespace {

[[noreturn]] void LibraryFault(const char* what) { rt::FatalRuntimeError(0, what ? what : ""); }

}  // namespace

namespace std {

void __throw_bad_exception() { LibraryFault("bad_exception"); }
void __throw_bad_alloc() { LibraryFault("bad_alloc"); }
void __throw_bad_array_new_length() { LibraryFault("bad_array_new_length"); }
void __throw_bad_cast() { LibraryFault("bad_cast"); }
void __throw_bad_typeid() { LibraryFault("bad_typeid"); }
void __throw_logic_error(const char* what) { LibraryFault(what); }
void __throw_domain_error(const char* what) { LibraryFault(what); }
void __throw_invalid_argument(const char* what) { LibraryFault(what); }
void __throw_length_error(const char* what) { LibraryFault(what); }
void __throw_out_of_range(const char* what) { LibraryFault(what); }
void __throw_runtime_error(const char* what) { LibraryFault(what); }
void __throw_range_error(const char* what) { LibraryFault(what); }
void __throw_overflow_error(const char* what) { LibraryFault(what); }
void __throw_underflow_error(const char* what) { LibraryFault(what); }

void __throw_out_of_range_fmt(const char* format, ...) {
    char what[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(what, sizeof what, format, args);
    va_end(args);
    LibraryFault(what);
}

}  // namespace std

namespace __gnu_cxx {

// What std::terminate calls: an exception that nothing caught.
void __verbose_terminate_handler() { LibraryFault("terminate"); }

}  // namespace __gnu_cxx
