/* Stands in for the MinGW-w64 start-up code's pseudo-relocator, which patches
 * auto-imported data at run time and imports VirtualProtect to do it. The
 * images linked with this file are linked with --disable-auto-import: the
 * linker refuses every such import, so there is never anything to patch. */
void _pei386_runtime_relocator(void);

void _pei386_runtime_relocator(void) {}
