# shipped_image(<target>): links <target> as an image that players get: the
# program, its engine, and what stands in for them in the figures.
#
# - No symbols, no debug sections: the static runtimes alone bring about
#   330 KB of them and 7,000 symbols.
# - The runtime libraries of the -win32 thread model, found before the
#   compiler's own -posix ones. Our product code uses no <thread> or <mutex>,
#   so its objects never call pthreads; only the runtime did (the guards of
#   function-local statics and the exception globals), and that pulled in
#   winpthreads, which imports SuspendThread, GetThreadContext,
#   SetThreadContext and OpenProcess, the calls virus scanners count against a
#   program. The tests keep the -posix runtime, which GoogleTest needs.
# - No runtime pseudo-relocator: without auto-import the linker refuses a
#   data import that is not declared dllimport, the only kind that the
#   start-up code patches at run time. That code then has nothing to do, and a
#   stub (no_pseudo_relocator.c) replaces it and its VirtualProtect import;
#   should a link ever give it a list all the same, it stops the image with a
#   fatal box.
#   (--disable-runtime-pseudo-reloc alone would make ld put .rdata, 100 MB of
#   packs, into the writable .data section.)
# - An executable is marked terminal-server aware.
# - Subsystem and OS version 6.0 (the linker says 4.0): Windows hands an image
#   that says 4.0 the frame metrics of old programs, so its window's client
#   area would differ from that of Windows 7 and later. Windows 7 needs no less.
include_guard(GLOBAL)

add_library(no_pseudo_relocator OBJECT ${CMAKE_CURRENT_LIST_DIR}/no_pseudo_relocator.c)
target_link_libraries(no_pseudo_relocator PRIVATE project_options)

function(shipped_image target)
    target_link_directories(${target} BEFORE PRIVATE "${MINGW_WIN32_THREADS_RUNTIME_DIR}")
    target_sources(${target} PRIVATE $<TARGET_OBJECTS:no_pseudo_relocator>)
    target_link_options(${target} PRIVATE -s "LINKER:--disable-auto-import")
    # Functions that nothing calls are dropped (each has a section of its own:
    # shipped_code below).
    target_link_options(${target} PRIVATE "LINKER:--gc-sections")
    target_link_options(${target} PRIVATE
        "LINKER:--major-subsystem-version,6,--minor-subsystem-version,0,--major-os-version,6,--minor-os-version,0")
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "EXECUTABLE")
        target_link_options(${target} PRIVATE "LINKER:--tsaware")
    endif()
endfunction()

# shipped_code(<target>...): compiles the targets' own sources, the code of the
# images above, for size: optimised for it, each function in a section of its
# own, without exceptions, run-time type information or thread-safe guards of
# function-local statics. None of that code throws or catches: an allocation
# that fails is a fatal error of its own (runtime/out_of_memory.cpp), the
# engine checks its allocations for null, no exception may cross the engine's
# C entry or a window procedure, and the program runs on one thread (the
# engine keeps no function-local statics). On i686 there are no unwind tables
# either: only C++ exceptions read them there (Windows walks a 32-bit stack by
# its frame records), while x86_64 Windows needs them to walk any stack.
# Not -fdata-sections: MinGW's GCC then puts zero-filled data into .data, in
# the file, rather than into .bss.
# The tests link the same libraries; these options change nothing for them.
function(shipped_code)
    foreach(target IN LISTS ARGN)
        target_compile_options(${target} PRIVATE
            -Os -ffunction-sections
            $<$<COMPILE_LANGUAGE:CXX>:-fno-exceptions -fno-rtti -fno-threadsafe-statics>
            $<$<STREQUAL:${PROJECT_ARCH},i686>:$<$<COMPILE_LANGUAGE:C,CXX>:-fno-asynchronous-unwind-tables>>)
    endforeach()
endfunction()
