#include "tui/failure_reason.h"

#include <array>

#include "platform/cp852.h"
#include "platform/files.h"
#include "tui/message_box.h"

namespace tui {

namespace {

using namespace platform::literals;

struct FailureText {
    int homeError;
    std::string_view words;
};

// The one table of reasons, each short enough to stand after "Przyczyna: " in a box.
// Besides the numbers the layer names, the Windows build passes on the system's own
// numbers of the same family (19, 21, 23, 29, 30, 80, 206).
constexpr std::array kFailureTexts = {
    FailureText{platform::err::FileNotFound, "nie ma takiego pliku"_cp},
    FailureText{platform::err::PathNotFound, "nie ma takiej ścieżki"_cp},
    FailureText{platform::err::TooManyOpenFiles, "za dużo otwartych plików"_cp},
    FailureText{platform::err::AccessDenied, "odmowa dostępu"_cp},
    FailureText{platform::err::InvalidHandle, "nieprawidłowy uchwyt pliku"_cp},
    FailureText{platform::err::NotEnoughMemory, "za mało pamięci"_cp},
    FailureText{platform::err::BadFormat, "błędna lub za długa nazwa"_cp},
    FailureText{platform::err::InvalidAccess, "nieprawidłowy tryb dostępu"_cp},
    FailureText{15, "nie ma takiego dysku"_cp},
    FailureText{platform::err::NotSameDevice, "inny dysk"_cp},
    FailureText{platform::err::NoMoreFiles, "brak dalszych plików"_cp},
    FailureText{19, "nośnik tylko do odczytu"_cp},
    FailureText{21, "urządzenie nie jest gotowe"_cp},
    FailureText{23, "błąd danych na nośniku"_cp},
    FailureText{29, "błąd zapisu na urządzeniu"_cp},
    FailureText{30, "błąd odczytu z urządzenia"_cp},
    FailureText{platform::err::GeneralFailure, "błąd wejścia/wyjścia"_cp},
    FailureText{platform::err::SharingViolation, "plik zajęty na innej stacji"_cp},
    FailureText{platform::err::LockViolation, "zablokowany na innej stacji"_cp},
    FailureText{platform::err::DiskFull, "brak miejsca na dysku"_cp},
    FailureText{80, "plik już istnieje"_cp},
    FailureText{platform::err::InvalidParameter, "nieprawidłowy parametr"_cp},
    FailureText{platform::err::DirectoryNotEmpty, "katalog nie jest pusty"_cp},
    FailureText{platform::err::NotLocked, "obszar nie był zablokowany"_cp},
    FailureText{platform::err::AlreadyExists, "plik/katalog już istnieje"_cp},
    FailureText{platform::err::FileGone, "plik usunięty na innej stacji"_cp},
    FailureText{206, "za długa nazwa lub ścieżka"_cp},
};

}  // namespace

std::string_view FailureWords(int homeError) {
    for (const FailureText& text : kFailureTexts)
        if (text.homeError == homeError) return text.words;
    return {};
}

std::string FailureReason(int homeError) {
    const std::string_view words = FailureWords(homeError);
    if (words.empty()) return std::string(kReasonStart).append("błąd systemu nr "_cp) + std::to_string(homeError);
    return std::string(kReasonStart) + std::string(words);
}

std::string TakeFailureReason() {
    const int failure = platform::LastFailure();
    platform::ForgetFailure();
    return failure == platform::err::Ok ? std::string() : FailureReason(failure);
}

std::string WithFailureReason(std::string boxText) {
    if (const std::string reason = TakeFailureReason(); !reason.empty()) {
        boxText += kLineEnd;
        boxText += kCentre;
        boxText += reason;
    }
    return boxText;
}

}  // namespace tui
