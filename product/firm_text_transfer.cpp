// Moving the firm text data between the record and its file, and the carry-over to
// the next year; apart from firm_text.cpp because it reports through a box.
#include "product/firm_text.h"

#include "fileio/message_lines.h"
#include "platform/cp852.h"
#include "product/ini_file.h"
#include "tui/failure_reason.h"
#include "tui/message_box.h"

namespace product {

using namespace platform::literals;

namespace {

// TransferFirmText, telling a file that could not be loaded (the box shown) from one
// that could not be saved.
enum class Transfer { Done, Unloaded, Unsaved };

Transfer Move(FirmText& record, FirmTextDirection direction, std::string_view fileName) {
    const std::unique_ptr<IniFile> ini = IniFile::Init(fileName, direction == FirmTextDirection::Write);
    if (!ini) {
        // The same words for reading and writing: the firm's data cannot be handled.
        // The run goes on: one firm's file is no reason to leave the others.
        tui::ErrorBox(tui::WithFailureReason(fileio::Centred("Błąd odczytu danych firmy"_cp)));
        return Transfer::Unloaded;
    }
    if (direction == FirmTextDirection::Read)
        ReadFirmText(*ini, record);
    else
        WriteFirmText(*ini, record);
    return ini->Done() ? Transfer::Done : Transfer::Unsaved;
}

}  // namespace

bool TransferFirmText(FirmText& record, FirmTextDirection direction, std::string_view fileName) {
    return Move(record, direction, fileName) == Transfer::Done;
}

FirmTextCarry CarryOverFirmText(std::string_view source, std::string_view target, std::string_view location2023) {
    FirmText record;
    // A reader never saves, so only its loading can fail.
    if (Move(record, FirmTextDirection::Read, source) != Transfer::Done) return FirmTextCarry::SourceUnreadable;
    record.previousYears[0] = location2023;  // KPR2023: the year before the working year
    switch (Move(record, FirmTextDirection::Write, target)) {
        case Transfer::Done:
            return FirmTextCarry::Done;
        case Transfer::Unloaded:
            return FirmTextCarry::TargetUnopened;
        case Transfer::Unsaved:
            break;
    }
    return FirmTextCarry::TargetNotSaved;
}

}  // namespace product
