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
include_guard(GLOBAL)

add_library(no_pseudo_relocator OBJECT ${CMAKE_CURRENT_LIST_DIR}/no_pseudo_relocator.c)
target_link_libraries(no_pseudo_relocator PRIVATE project_options)

function(shipped_image target)
    target_link_directories(${target} BEFORE PRIVATE "${MINGW_WIN32_THREADS_RUNTIME_DIR}")
    target_sources(${target} PRIVATE $<TARGET_OBJECTS:no_pseudo_relocator>)
    target_link_options(${target} PRIVATE -s "LINKER:--disable-auto-import")
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "EXECUTABLE")
        target_link_options(${target} PRIVATE "LINKER:--tsaware")
    endif()
endfunction()
