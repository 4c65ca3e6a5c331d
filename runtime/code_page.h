#pragma once
// The program's texts and the game's file names are GBK, code page 936. On a
// computer with another ANSI code page (an English or a Traditional Chinese
// Windows, or the UTF-8 beta option ticked) every text would show as
// gibberish and every name it writes would be another name.
#include "runtime/text.h"

namespace runtime {

inline constexpr unsigned kProgramCodePage = 936;

// First thing at start, before any file or window: on another code page one
// box titled "错误" says so and how to change it, shown through the wide API
// so that it reads right there; then exit code -1, nothing written.
void require_program_code_page();

// That box's text, for a computer whose ANSI code page is `code_page`.
Text code_page_refusal(unsigned code_page);

}  // namespace runtime
