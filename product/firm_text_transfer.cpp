// Moving the firm text data between the record and its file, and the carry-over to
// the next year; apart from firm_text.cpp because it stops the program through a box.
#include "product/firm_text.h"

#include "fileio/message_lines.h"
#include "platform/cp852.h"
#include "platform/process.h"
#include "product/ini_file.h"
#include "tui/message_box.h"

namespace product {

using namespace platform::literals;

namespace {
constexpr std::uint16_t kTargetYear = 2024;
}  // namespace

bool TransferFirmText(FirmText& record, FirmTextDirection direction, std::string_view fileName) {
    const std::unique_ptr<IniFile> ini = IniFile::Init(fileName, direction == FirmTextDirection::Write);
    if (!ini) {
        // The same words for reading and writing: the firm's data cannot be handled.
        tui::ErrorBox(fileio::Centred("Błąd odczytu danych firmy"_cp));
        platform::exitProgram(0);
    }
    if (direction == FirmTextDirection::Read)
        ReadFirmText(*ini, record);
    else
        WriteFirmText(*ini, record);
    return ini->Done();
}

bool CarryOverFirmText(std::string_view source, std::string_view target, std::string_view location2023) {
    FirmText record;
    SetFirmTextYear(kTargetYear);
    TransferFirmText(record, FirmTextDirection::Read, source);
    record.previousYears[0] = location2023;  // KPR2023: the year before the working year
    return TransferFirmText(record, FirmTextDirection::Write, target);
}

}  // namespace product
