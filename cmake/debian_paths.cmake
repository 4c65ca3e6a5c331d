# Where Debian's packages put the sources this project builds with; a cache
# variable each, so another system can point elsewhere (-DGOOGLETEST_DIR=...).
# Included by the top-level project and by the engine's native fuzz project.

# googletest: GoogleTest's sources, built with the project's own compiler.
set(GOOGLETEST_DIR /usr/src/googletest CACHE PATH "GoogleTest's source folder (Debian: googletest)")
# lzma-dev: the LZMA SDK's decoder as C sources.
set(LZMA_SDK_DIR /usr/include/lzma CACHE PATH "The LZMA SDK's C sources (Debian: lzma-dev)")
