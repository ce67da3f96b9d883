#include "app/wizard_pages.h"

#include "app/wizard_page_parts.h"

namespace app {

std::unique_ptr<WizardPage> BuildPage(int number, RunPaths& paths, convert::Options& options) {
    switch (number) {
        case 1:
            return pages::BuildLocationPage(paths, options);
        case 2:
            return pages::BuildGlobalItemsPage(options);
        case 3:
            return pages::BuildFirmItemsPage(options);
        case 4:
            return pages::BuildStartPage(paths, options);
        default:
            return nullptr;
    }
}

tui::Command RunPage(WizardPage& page) { return tui::Execute(*page.dialog); }

void DisposePage(std::unique_ptr<WizardPage>& page) { page.reset(); }

}  // namespace app
