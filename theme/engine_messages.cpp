#include "theme/engine_messages.h"

#include "runtime/system_reason.h"

namespace theme {
namespace {

// A scanner's own codes (ERROR_VIRUS_INFECTED, ERROR_VIRUS_DELETED, which
// MinGW's headers lack): Windows gives them for a file that its scanner
// blocks or has just removed.
constexpr DWORD kVirusInfected = 225;
constexpr DWORD kVirusDeleted = 226;

bool scanner_error(DWORD error) { return error == kVirusInfected || error == kVirusDeleted; }

}  // namespace

runtime::Text unwritable_engine_message(const runtime::Text& engine, DWORD error) {
    return runtime::join_texts({"程序无法在自己所在的文件夹里写入界面文件：\r\n", engine, "\r\n",
                                runtime::reason_with_code(error), "\r\n",
                                scanner_error(error) ? kScannerRemedy : kUnwritableRemedy});
}

runtime::Text unloadable_engine_advice(DWORD error, bool written_now) {
    return runtime::join_texts({runtime::reason_with_code(error), "\r\n",
                                written_now || scanner_error(error) ? kScannerRemedy : kForeignEngineRemedy});
}

}  // namespace theme
