#pragma once
// The one record of what the user chose for the run. The wizard pages (app/) edit it;
// the global copy and the conversion are given it, so it is defined here, below both.
// The run holds it from start-up to exit, so every choice survives going back and
// forth between pages.
#include <cstddef>
#include <cstdint>
#include <string>

namespace convert {

// Global item set: what the global copy carries from the 2023 global directory.
namespace global {
inline constexpr std::uint16_t AddressBase = 0x001;
inline constexpr std::uint16_t StaffListSettings = 0x002;
inline constexpr std::uint16_t FunctionKeyConstants = 0x004;
inline constexpr std::uint16_t Separator = 0x008;  // the "-" line; drives nothing
inline constexpr std::uint16_t AddOnConfiguration = 0x010;
inline constexpr std::uint16_t LastYearTaxConstants = 0x020;
inline constexpr std::uint16_t SalarySettings = 0x040;
inline constexpr std::uint16_t ColourSettings = 0x080;
inline constexpr std::uint16_t YearConfigurator = 0x100;
inline constexpr std::uint16_t OperatorFile = 0x200;
inline constexpr std::uint16_t PayrollIniFiles = 0x400;
}  // namespace global

// Per-firm item set, in the order of the sixteen boxes of page 3.
namespace firm {
inline constexpr std::uint16_t TextData = 0x0001;
inline constexpr std::uint16_t Staff = 0x0002;
inline constexpr std::uint16_t Families = 0x0004;  // only together with Staff
inline constexpr std::uint16_t PitD = 0x0008;
inline constexpr std::uint16_t LocalAddressBase = 0x0010;
inline constexpr std::uint16_t SalesAutomata = 0x0020;
inline constexpr std::uint16_t PurchaseAutomata = 0x0040;
inline constexpr std::uint16_t FunctionKeysAndNotes = 0x0080;
inline constexpr std::uint16_t MoneyTransfers = 0x0100;
inline constexpr std::uint16_t SalaryComponents = 0x0200;
inline constexpr std::uint16_t ZusPel = 0x0400;
inline constexpr std::uint16_t OneOffDepreciation = 0x0800;
inline constexpr std::uint16_t TransferSettings = 0x1000;
inline constexpr std::uint16_t InternalDocuments = 0x2000;
inline constexpr std::uint16_t InterestNotes = 0x4000;
inline constexpr std::uint16_t VatVehicles = 0x8000;
}  // namespace firm

// 2024 entries set: documents already entered for 2024 in the 2023 program.
namespace entries {
inline constexpr std::uint16_t LedgerDocuments = 0x1;
inline constexpr std::uint16_t Salaries = 0x2;
inline constexpr std::uint16_t Contracts = 0x4;
inline constexpr std::uint16_t CorrectionNotes = 0x8;
inline constexpr std::uint16_t NumberedCopy = 0x10;  // no check box; stays set
}  // namespace entries

// Add-on set.
namespace addon {
inline constexpr std::uint16_t FixedAssets = 0x1;
inline constexpr std::uint16_t ImportSettings = 0x2;
inline constexpr std::uint16_t SalesData = 0x4;
}  // namespace addon

// Copy scope.
namespace scope {
inline constexpr std::uint16_t GlobalData = 0x1;
inline constexpr std::uint16_t FirmData = 0x2;
}  // namespace scope

enum class StaffSelection : std::uint16_t {
    All = 0,              // "wszystkich"
    EmployedAtYearEnd = 1,  // "zatrudnionych na 31.12.2023"
    AskEach = 2,          // "pytaj sie o każdego"
};

enum class PitDSelection : std::uint16_t {
    All = 0,      // "wszystkich"
    AskEach = 1,  // "pytaj sie o każdego"
};

struct Options {
    static constexpr std::size_t kGlobalSourceDirMax = 14;

    std::string globalSourceDir = "#BIN023";
    std::uint16_t globalItems = 0x07DF;  // every item but last year's tax constants
    std::uint16_t firmItems = 0xFFFF;
    StaffSelection staffSelection = StaffSelection::All;
    PitDSelection pitDSelection = PitDSelection::All;
    std::uint16_t entries2024 = 0xFFFF;
    std::uint16_t addOns = 0xFFFF;
    std::uint16_t copyScope = 0xFFFF;
    bool stopAfterEachFirm = false;
    bool slowMode = false;          // "pokazuj powoli szczegóły konwersji"
    bool renameConverted = false;   // hide converted 2024 ledger files in the 2023 tree
    bool decemberWarning = true;    // "informuj o nie zamkniętym grudniu ..."

    bool Has(std::uint16_t set, std::uint16_t bit) const { return (set & bit) != 0; }
};

// Family data go only together with staff data: clears the family item of a
// per-firm item set whose staff item is clear. True when it changed the set. The
// page that edits the set applies it, so the set never closes a page without it.
bool KeepFamiliesWithStaff(std::uint16_t& firmItems);

}  // namespace convert
