// qz-tui-demo [kontrolki]: the event echo, or with "kontrolki" the controls dialog.
#include <string_view>

#include "platform/startup.h"
#include "tools/tui-demo/demos.h"
#include "tui/toolkit.h"

int main(int argc, char** argv) {
    if (!platform::startPlatform()) return 1;
    tui::InitToolkit();
    const bool controls = argc > 1 && std::string_view(argv[1]) == "kontrolki";
    const int code = controls ? tuidemo::ControlsDialog() : tuidemo::EchoEvents();
    platform::stopPlatform();
    return code;
}
