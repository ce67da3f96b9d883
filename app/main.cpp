// The converter's executable: starts each layer in the order the main flow relies
// on, then hands over to it. The main flow ends the program itself.
#include "app/main_flow.h"
#include "fileio/temp_files.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/startup.h"
#include "product/environment.h"
#include "tui/toolkit.h"

int main(int argc, char* argv[]) {
    platform::TakeArguments(argc, argv);

    if (!platform::StartPlatform()) return 1;  // no usable terminal; the reason is on standard error
    tui::InitToolkit();
    fileio::InitTempDir();
    product::InitEnvironment();
    app::MainFlow(platform::ExecutablePath());
}
