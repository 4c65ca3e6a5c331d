/* Reads a DLL's data without declaring it dllimport, linked with auto-import
 * and the stand-in pseudo-relocator: the link gives that a relocation list,
 * and the image must stop with its fatal box instead of running. */
extern int auto_imported_number;

int main(void) { return auto_imported_number; }
