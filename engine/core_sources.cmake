# The engine's container and theme parser, listed once for the two builds of
# it: the engine's own (engine/CMakeLists.txt) and the native fuzzer
# (engine/fuzz/CMakeLists.txt). It makes no Windows calls.

include(${CMAKE_CURRENT_LIST_DIR}/../cmake/debian_paths.cmake)
set(ENGINE_LZMA_SOURCES ${LZMA_SDK_DIR}/LzmaDec.c)

set(ENGINE_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/core/container.cpp
    ${CMAKE_CURRENT_LIST_DIR}/core/theme_content.cpp
    ${CMAKE_CURRENT_LIST_DIR}/core/load_theme.cpp
)
