#include "engine/tests/embedded_themes.h"

#include <stdexcept>

extern "C" {
extern const unsigned char kEngineTheme01[];
extern const unsigned char kEngineTheme02[];
extern const unsigned char kEngineTheme03[];
extern const unsigned char kEngineTheme04[];
extern const unsigned char kEngineTheme05[];
extern const unsigned char kEngineTheme06[];
extern const unsigned char kEngineTheme07[];
extern const unsigned char kEngineTheme08[];
extern const unsigned char kEngineTheme09[];
extern const unsigned char kEngineTheme10[];
extern const unsigned char kEngineTheme11[];
extern const unsigned char kEngineTheme12[];
extern const unsigned char kEngineTheme13[];
extern const unsigned char kEngineTheme14[];
extern const unsigned char kEngineTheme15[];
extern const unsigned char kEngineTheme16[];
extern const unsigned char kEngineTheme17[];
extern const unsigned char kEngineTheme18[];
extern const unsigned char kEngineTheme19[];
extern const unsigned char kEngineTheme20[];
extern const unsigned char kEngineTheme21[];
extern const unsigned char kEngineTheme22[];
extern const unsigned char kEngineTheme23[];
extern const unsigned char kEngineTheme24[];
extern const unsigned char kEngineTheme25[];
extern const unsigned char kEngineTheme26[];
extern const unsigned char kEngineTheme27[];
extern const unsigned char kEngineTheme28[];
extern const unsigned char kEngineTheme29[];
extern const unsigned char kEngineTheme30[];
extern const unsigned char kEngineTheme31[];
extern const unsigned char kEngineTheme32[];
extern const unsigned char kEngineTheme33[];
}

namespace engine_test {

Bytes theme_container(int n) {
    static const unsigned char* const themes[kThemeCount] = {
        kEngineTheme01, kEngineTheme02, kEngineTheme03, kEngineTheme04, kEngineTheme05,
        kEngineTheme06, kEngineTheme07, kEngineTheme08, kEngineTheme09, kEngineTheme10,
        kEngineTheme11, kEngineTheme12, kEngineTheme13, kEngineTheme14, kEngineTheme15,
        kEngineTheme16, kEngineTheme17, kEngineTheme18, kEngineTheme19, kEngineTheme20,
        kEngineTheme21, kEngineTheme22, kEngineTheme23, kEngineTheme24, kEngineTheme25,
        kEngineTheme26, kEngineTheme27, kEngineTheme28, kEngineTheme29, kEngineTheme30,
        kEngineTheme31, kEngineTheme32, kEngineTheme33,
    };
    if (n < 1 || n > kThemeCount) throw std::out_of_range("theme number");
    return embedded(themes[n - 1]);
}

}  // namespace engine_test
