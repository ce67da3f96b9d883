#pragma once
// A conversion test with two data roots in the test's directory: a 2023 root whose
// registry holds one firm and an empty 2024 root, and the program beside them, so
// that page 1 of the wizard lets the user on.
#include <filesystem>
#include <string>
#include <string_view>

#include "app/main_flow.h"
#include "app/wizard_pages.h"
#include "platform/files.h"
#include "tests/fileio/registry_helpers.h"
#include "tests/support/conversion_test.h"
#include "tui/dialog.h"
#include "tui/input_line.h"

namespace qztest {

class WizardTest : public ConversionTest {
protected:
    static constexpr char S = platform::kSeparator;

    WizardTest() {
        tui::SetDataChanged(false);
        tui::SetInsertMode(true);
        temp.writeFile("KPR_2023/SPISFIRM.DAT", RegistryBytes({Firm("Firma", "FIRMA", "opis")}));
        std::filesystem::create_directories(temp.path() / "KPR_2024");
        run.paths = app::ProgramPaths(temp.root() + "qz23-24");
        run.paths.root2023 = temp.root() + "KPR_2023" + S;
        run.paths.root2024 = temp.root() + "KPR_2024" + S;
    }

    // Builds page number, runs it on what is scripted and disposes of it.
    tui::Command showPage(int number) {
        std::unique_ptr<app::WizardPage> page = app::BuildPage(number, run.paths, run.options);
        if (!page) {
            ADD_FAILURE() << "page " << number << " not built";
            return 0;
        }
        const tui::Command command = app::RunPage(*page);
        app::DisposePage(page);
        return command;
    }

    // Whether the page on screen has that title (UTF-8).
    bool showsPage(std::string_view title) const {
        return screen.RowText(3).find(std::string(title)) != std::string::npos;
    }
    bool pathFileWritten() const { return temp.exists("qz23-24.PTH"); }

    app::Run run;
};

}  // namespace qztest
