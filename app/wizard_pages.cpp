#include "app/wizard_pages.h"

#include "app/wizard_page_parts.h"

namespace app {

std::unique_ptr<WizardPage> BuildPage(int number, RunPaths& paths) {
    switch (number) {
        case 1:
            return pages::BuildLocationPage(paths);
        case 2:
            return pages::BuildGlobalItemsPage();
        case 3:
            return pages::BuildFirmItemsPage();
        case 4:
            return pages::BuildStartPage(paths);
        default:
            return nullptr;
    }
}

tui::Command RunPage(WizardPage& page) { return tui::Execute(*page.dialog); }

void DisposePage(std::unique_ptr<WizardPage>& page) { page.reset(); }

}  // namespace app
