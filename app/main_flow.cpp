#include "app/main_flow.h"

#include "app/firm_loop.h"
#include "app/global_copy.h"
#include "app/run_report_header.h"
#include "app/wizard_pages.h"
#include "tui/progress_log.h"
#include "convert/report/run_report.h"
#include "fileio/message_lines.h"
#include "platform/console.h"
#include "platform/cp852.h"
#include "platform/process.h"
#include "tui/journal.h"
#include "tui/message_box.h"
#include "tui/screen.h"
#include "tui/text_device.h"

namespace app {

namespace {

using namespace platform::literals;

constexpr char kRuleCharacter = '\xC4';  // box-drawing horizontal line
constexpr std::size_t kHelpRuleLength = 70;
constexpr std::size_t kBannerRuleLength = 80;

constexpr tui::Attribute kBannerColour = 10;  // light green
constexpr tui::Attribute kRuleColour = 15;    // white
constexpr std::uint8_t kBlack = 0;

constexpr std::string_view kCancelQuestion = "Rezygnujesz z konwersji danych na nowy rok ?";

// Shows a page and disposes of it; a page that cannot be shown counts as cancelled.
tui::Command ShowPage(int number, Run& run) {
    std::unique_ptr<WizardPage> page = BuildPage(number, run.paths, run.options);
    if (!page) return tui::cmCancel;
    const tui::Command command = RunPage(*page);
    DisposePage(page);
    return command;
}

bool ConfirmCancel() { return tui::AskYesNo(false, kCancelQuestion, 10, 10); }

// The run's report holds everything the end of the wizard does.
template <typename End>
void Recorded(const Run& run, End end) {
    BeginRunReport(run);
    end();
    convert::CloseRunReport();
}

// Shows the cursor, names the run's report, waits for a key after "Nacisnij Enter"
// and ends the program.
[[noreturn]] void EndOfRun() {
    tui::SetCursorShape(platform::CursorShape::BottomFifth);
    tui::LogPause();
    convert::ShowRunReport();
    tui::LogWrite("Nacisnij Enter");
    tui::LogWaitForKey();
    tui::ClearLog(true);
    platform::ExitProgram(0);
}

// A root longer than page 1 can hold would be cut there, and the cut one may name
// another directory: such a root, from the command line or the path file, ends the
// run before anything is read from it or written to it.
void RefuseLongRoots(const RunPaths& paths) {
    for (const std::string* root : {&paths.root2023, &paths.root2024}) {
        if (root->size() <= kMaxRootLength) continue;
        tui::ErrorBox(fileio::Centred("Ścieżka dłuższa niż 255 znaków:"_cp) + tui::kLineEnd + fileio::Centred(*root));
        platform::ExitProgram(0);
    }
}

}  // namespace

bool AsksForHelp(std::string_view firstArgument) { return firstArgument.find('?') != std::string_view::npos; }

void ShowHelp() {
    tui::WriteLine("Program do kopiowania wybranych danych do nowego KPR_QZ.");
    tui::WriteLine("z wersji DA023 (2023) na DE024 (2024)");
    tui::WriteLine(std::string(kHelpRuleLength, kRuleCharacter));
    tui::WriteLine();
    tui::WriteLine("Uruchom qz23-24 [Katalog_danych_,2024]");
    tui::WriteLine("gdzie:");
    tui::WriteLine("Katalog danych - lokalizacja istniejącego katalogu na rok 2024"_cp);
    tui::WriteLine("Katalogu w którym jest program qz23-24.EXE można umieścić"_cp);
    tui::WriteLine("plik o nazwie qz23-24.LST w którym można w kolejnych wierszach"_cp);
    tui::WriteLine("wpisać nazwy plików, jakie będą automatycznie kopiowane z katalogu"_cp);
    tui::WriteLine("danych firmy na rok nastepny");
    tui::WriteLine();
    tui::WriteLine("Przebieg każdej konwersji jest dopisywany do pliku qz23-24.LOG"_cp);
    tui::WriteLine("w katalogu danych na rok 2024: ustawienia, komunikaty, pytania"_cp);
    tui::WriteLine("z odpowiedziami, wynik każdej firmy i podsumowanie."_cp);
    tui::WriteLine();
    tui::LogWaitForKey();
}

Run SettleRun(std::string_view executable, std::string_view firstArgument) {
    Run run;
    run.paths = ProgramPaths(executable);
    run.extraFiles = ReadListFile(ListFileName(run.paths));
    SetDefaultRoots(run.paths, firstArgument);
    ReadPathFile(PathFileName(run.paths), run.paths);
    return run;
}

std::string_view VersionLine() { return " PROGRAM DO PRZEPCHNIĘCIA DANYCH KPR_QZ Z ROKU 2023 NA 2024 1.02"_cp; }

void WriteBanner() {
    tui::SetCursorShape(platform::CursorShape::Hidden);
    tui::SetTextBackground(kBlack);
    tui::ClearLog(true);
    tui::LogWriteLine(VersionLine(), kBannerColour);
    tui::LogWriteLine(std::string(kBannerRuleLength, kRuleCharacter), kRuleColour);
}

void RunWizard(Run& run) {
    int page = 1;
    for (;;) {
        const tui::Command command = ShowPage(page, run);
        tui::SetSlowLog(run.options.slowMode);  // the log follows the choice of page 1
        switch (command) {
            case tui::cmCancel:
                if (!ConfirmCancel()) break;
                Recorded(run, [] { tui::JournalAnswer(kCancelQuestion, "Tak"); });
                return;
            case cmBack:
                if (page > 1) --page;
                break;
            case cmNext:
                if (page < kWizardPageCount) ++page;
                break;
            case cmStart:
                Recorded(run, [&run] { StartConversion(run); });
                return;
            default:
                break;
        }
    }
}

void StartConversion(const Run& run) {
    const convert::Options& options = run.options;
    if (options.Has(options.copyScope, convert::scope::GlobalData) && options.globalItems != 0)
        RunGlobalCopy(run.paths, options);
    if (options.Has(options.copyScope, convert::scope::FirmData)) RunFirmLoop(run);
    tui::LogWriteLine();
    tui::LogWriteLine();
    tui::LogWriteLine("Koniec pracy kopiera danych KPR_QZ na rok 2024");
}

void MainFlow(std::string_view executable) {
    platform::InstalledConsole().SetTitle(kConsoleTitle);
    const std::vector<std::string>& arguments = platform::Arguments();
    const std::string firstArgument = arguments.empty() ? std::string() : arguments.front();
    if (AsksForHelp(firstArgument)) {
        ShowHelp();
        platform::ExitProgram(0);
    }
    Run run = SettleRun(executable, firstArgument);
    RefuseLongRoots(run.paths);
    WriteBanner();
    RunWizard(run);
    EndOfRun();
}

}  // namespace app
