/* Stands in for the MinGW-w64 start-up code's pseudo-relocator, which patches
 * auto-imported data at run time and imports VirtualProtect to do it. The
 * images linked with this file are linked with --disable-auto-import: the
 * linker refuses every such import, so there is never anything to patch.
 *
 * Should a link ever give it a list all the same (the option dropped, or a
 * linker that makes such imports another way), the image would run with
 * addresses that nobody patched: it stops at once with a box of the
 * program's fatal-error form and exit code -1. It is linked into the engine
 * as well, so it needs nothing of the program's runtime. */
#include <windows.h>

extern char __RUNTIME_PSEUDO_RELOC_LIST__[];
extern char __RUNTIME_PSEUDO_RELOC_LIST_END__[];

void _pei386_runtime_relocator(void);

void _pei386_runtime_relocator(void) {
    /* Through a volatile: the compiler may take two distinct symbols for
     * two distinct addresses, and the linker gives both the same one when
     * the list is empty. */
    char *volatile start = __RUNTIME_PSEUDO_RELOC_LIST__;
    if (start == __RUNTIME_PSEUDO_RELOC_LIST_END__) return;
    MessageBoxA(NULL,
                "运行时出错!\r\n\r\n错误信息：本程序的文件在生成时出了错（含有需要在运行时修补的地址），"
                "不能运行。请重新下载本程序。\r\n",
                "错误", MB_ICONERROR | MB_OK);
    ExitProcess((UINT)-1);
}
