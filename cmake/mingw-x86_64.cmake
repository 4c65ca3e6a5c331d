# 64-bit Windows: the same sources, for running the program's code and tests
# on hosts that run no 32-bit code. Not what ships.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(mingw_triplet x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
