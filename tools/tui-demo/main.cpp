// qz-tui-demo [kontrolki | blokada FILE]: the event echo, with "kontrolki" the
// controls dialog, with "blokada" the whole-file lock of FILE.
#include <string_view>

#include "platform/startup.h"
#include "tools/tui-demo/demos.h"
#include "tui/toolkit.h"

int main(int argc, char** argv) {
    if (!platform::StartPlatform()) return 1;
    tui::InitToolkit();
    const std::string_view demo = argc > 1 ? argv[1] : "";
    const int code = demo == "kontrolki"                ? tuidemo::ControlsDialog()
                     : demo == "blokada" && argc > 2 ? tuidemo::HoldLock(argv[2])
                                                     : tuidemo::EchoEvents();
    platform::StopPlatform();
    return code;
}
