#include "app/group_notice.h"

#include <string_view>

#include "packs/chat_group.h"
#include "runtime/message_box.h"
#include "runtime/text.h"

namespace app {

void show_group_notice() {
    // The same group number as the message after installing a pack.
    const runtime::Text notice = runtime::join_texts({
        "喜欢英雄联盟的皮肤可以来本群\r\n"
        "一起交流皮肤，群里有大量自制皮肤可以供大家挂载\r\n"
        "QQ群",
        packs::kChatGroupNumber,
    });
    runtime::message_box(notice, 0, runtime::kMessageTitle);
}

}  // namespace app
