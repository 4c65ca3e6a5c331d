# Cross toolchain: Debian's MinGW-w64, for the target named by the toolchain
# file that includes this one (mingw_triplet).
# The -posix variants are used because the -win32 thread model has no
# std::thread / std::mutex, which GoogleTest needs. The images that ship link
# the -win32 thread model's runtime instead (cmake/shipped_image.cmake).
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER   ${mingw_triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_triplet}-g++-posix)
set(CMAKE_RC_COMPILER  ${mingw_triplet}-windres)
set(CMAKE_ASM_COMPILER ${mingw_triplet}-gcc-posix)

set(CMAKE_FIND_ROOT_PATH /usr/${mingw_triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Without -static an executable needs libstdc++-6.dll and libwinpthread-1.dll
# beside it, and Wine ends it with code 53 before main.
set(CMAKE_EXE_LINKER_FLAGS_INIT    "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")

# Where the -win32 compiler keeps its runtime libraries (libstdc++, libgcc).
execute_process(COMMAND ${mingw_triplet}-gcc-win32 -print-libgcc-file-name
    OUTPUT_VARIABLE libgcc OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed)
if(failed OR NOT EXISTS "${libgcc}")
    message(FATAL_ERROR "${mingw_triplet}-gcc-win32 is missing: the shipped images link its runtime "
                        "(bash scripts/setup.sh installs it)")
endif()
cmake_path(GET libgcc PARENT_PATH MINGW_WIN32_THREADS_RUNTIME_DIR)
