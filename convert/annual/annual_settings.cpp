#include "convert/annual/annual_settings.h"

#include <array>
#include <optional>

#include "convert/annual/annual_questions.h"
#include "convert/annual/annual_records.h"
#include "convert/copying/copy_steps.h"
#include "convert/copying/file_size.h"
#include "convert/firm/firm_failures.h"
#include "tui/progress_log.h"
#include "platform/cp852.h"
#include "platform/files.h"

namespace convert {

namespace {

using namespace platform::literals;

constexpr std::string_view kFile2023 = "2023_ROK.REK";
constexpr std::string_view kFile2024 = "2024_ROK.REK";
constexpr std::size_t kLocationMax = 40;


using Record = std::array<std::uint8_t, kAnnualRecordSize>;

// The open source and target; a failure closes both and deletes the target, so that
// no partial settings file is left for the 2024 program.
class AnnualFiles {
public:
    explicit AnnualFiles(std::string targetPath) : targetPath_(std::move(targetPath)) {}

    platform::FileHandle source;
    platform::FileHandle target;

    bool Read(Record& record) {
        std::size_t done = 0;
        const int read = platform::ReadFromFile(source, record.data(), record.size(), done);
        if (read == platform::err::Ok && done == record.size()) return true;
        Fail("Błąd odczytu danych z 2023"_cp, read);
        return false;
    }

    bool Write(const Record& record) {
        std::size_t done = 0;
        const int written = platform::WriteToFile(target, record.data(), record.size(), done);
        if (written == platform::err::Ok) return true;
        Fail("Błąd zapisu danych do 2024"_cp, written);
        return false;
    }

    bool Close() {
        platform::CloseFile(source);  // only read: a failed close loses nothing
        const int closed = platform::CloseFile(target);
        if (closed == platform::err::Ok) return true;
        Fail("Błąd zapisu danych do 2024"_cp, closed);
        return false;
    }

private:
    // The closes cannot lose anything: the source was only read and the target goes.
    void Fail(std::string_view message, int error) {
        platform::CloseFile(source);
        platform::CloseFile(target);
        ReportError(message, {}, error);
        DiscardCopyTarget(targetPath_);
    }

    std::string targetPath_;
};

// The general settings, with the VAT proportion asked for when the firm settles
// VAT by proportion and 2024 has none, and the warning about an open December.
void ConvertGeneral(const Record& source, Record& target, bool from2024, bool warnOfOpenDecember) {
    using General = AnnualGeneral;
    BuildGeneral(source, target, from2024);
    if (product::ReadByte(target, General::kVatByProportion) != 0 && product::ReadWord(target, General::kVatProportion) == 0) {
        const std::optional<std::uint16_t> settled =
            from2024 ? std::nullopt : std::optional(product::ReadWord(source, General::kVatSettled));
        product::WriteWord(target, General::kVatProportion, AskVatProportion(settled));
    }
    if (!from2024 && product::ReadByte(source, General::kFirstOpenMonth) != General::kDecemberApproved && warnOfOpenDecember)
        WarnOfOpenDecember();
}

}  // namespace

void ConvertAnnualSettings(const FirmPaths& firm, bool warnOfOpenDecember, AnnualSettingsFound& found) {
    found.previousYearLocation.clear();
    const std::string targetPath = firm.TargetFile(kFile2024);
    const FileInHand inHand(targetPath);
    LogLineIn(tui::logcolour::CopyStart, "Konwersja danych ROCZNYCH ustawień firmy "_cp);

    const std::string path2023 = firm.SourceFile(kFile2023);
    const std::string path2024 = firm.SourceFile(kFile2024);
    const bool has2023 = FileIsPresent(path2023);
    const bool has2024 = FileIsPresent(path2024);
    if (!has2023 && !has2024) {
        ReportError("Brak danych nnnnROK.REK danych za 2023 i 2024 !");
        return;
    }
    const bool from2024 = !has2023 || (has2024 && ChooseYear2024Settings());
    if (from2024) found.year2024Source = true;

    AnnualFiles files(targetPath);
    if (platform::OpenSharedFile(from2024 ? path2024 : path2023, platform::mode::ReadOnly | platform::mode::DenyNone,
                           files.source) != platform::err::Ok) {
        ReportError("brak dostępu do danych za FirmaREK !"_cp);
        return;
    }
    if (const int created = platform::CreateOrTruncateFile(targetPath, files.target); created != platform::err::Ok) {
        platform::CloseFile(files.source);  // only read
        ReportError("brak dostępu do danych FirmaREK za 2024 !"_cp, {}, created);
        return;
    }

    Record source{};
    Record target{};
    if (!files.Read(source)) return;
    found.previousYearLocation = firm.source.substr(0, kLocationMax);
    ConvertGeneral(source, target, from2024, warnOfOpenDecember);
    if (!files.Write(target)) return;

    if (!files.Read(source)) return;
    BuildNumbering(source, target, from2024);
    if (!files.Write(target)) return;

    if (!files.Read(source)) return;
    BuildDeclarations(source, target, from2024);
    if (!files.Write(target)) return;

    tui::LogPause();
    if (files.Close()) tui::LogWriteLine("Utworzono dane w 2024");
}

}  // namespace convert
