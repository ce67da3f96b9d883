// The file layer's queue on a real terminal: the whole-file lock of a file, taken
// with the queue's wait, so that the "Sieciowa KOLEJKA " window shows and fills
// while another program holds the lock; once had, it is held until Enter. Any file
// serves: the registry file's lock is the range every shared file is locked with.
#include "fileio/registry_file.h"
#include "tools/tui-demo/demos.h"
#include "tui/message_box.h"

int tuidemo::HoldLock(std::string_view fileName) {
    fileio::RegistryFile file(fileName);
    if (!file.Open(fileio::OpenExisting)) return 1;
    if (!file.LockWhole(fileio::WaitQueue)) return 1;
    tui::ShowBox(tui::box::Information | tui::box::Ok, "\x03Plik zablokowany");
    return file.Close() ? 0 : 1;
}
