#include "ui/path_field.h"

#include "ui/control_table.h"
#include "ui/properties.h"

namespace ui {

runtime::Text read_game_directory() {
    return get_text_property(kMainWindowId, kPathFieldId, kPropertyCaption);
}

void write_game_directory(std::string_view directory) {
    set_text_property(kMainWindowId, kPathFieldId, kPropertyCaption, directory);
}

}  // namespace ui
