#pragma once
// The firm's descriptive data kept in FIRMATXT.INI in each firm directory: names,
// tax identifiers and offices, bank accounts, owner and legal-person data,
// addresses, activity, the authorised person, data-protection contacts,
// social-insurance settings and where the firm's data of earlier years lie. One
// record holds one field per key; every key has a kind that decides how it is read
// and written:
//   text     the value unchanged (empty when absent)
//   number   0-65535 in decimal; absent, unreadable or out of range: the key's
//            default (a larger number is never cut down to 16 bits)
//   flag     "TAK" / "NIE"
//   letter   one character; a zero character reads and writes as a blank
//   date     written day-first "dd-mm-yyyy", "-" when empty; read day-first or
//            year-first
//   twelve   twelve numbers written as "$" and four upper-case hexadecimal digits
// The year-dependent key names (KPR2023 ... KPR2017 in [PATH], RENT2023, RENT2024
// and DRAIX02_2024 in [ZUS_ZxA] for the year 2024) follow the working year.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace product {

class IniFile;

struct FirmDate {
    std::uint8_t day = 0;  // 0 for an empty date
    std::uint8_t month = 0;
    std::uint16_t year = 0;
};

// The address keys, in file order: KRAJ, WOJEWODZTWO, GMINA, ULICA, DOM, LOKAL,
// MIEJSCOWOSC, KOD, POCZTA, SKRYTKA, TELEFON, POWIAT, KODUE.
struct Address {
    std::string country, province, commune, street, house, flat, town, postCode, postOffice, postBox, phone,
        district, euCode;
};

struct FirmText {
    // [KPR]
    std::string zusName;               // NAZWA_ZUS
    std::array<std::string, 5> info;   // INFO1-INFO5
    // [URZEDY_SKARBOWE] office name and [URZEDY_SKARBOWE_EKOD] office code of the
    // declarations VAT-7, PIT-4R, PIT-8AR and PIT-XX, in that order.
    struct TaxOffice {
        std::string name, code;
    };
    std::array<TaxOffice, 4> taxOffices;
    std::string pathXml, przeXml;      // PATHXML, PRZEXML
    // [FIRMA]
    std::uint16_t firmType = 0;        // TYP
    std::string nip, regon;            // NIP, REGON
    // [PATH] KPR followed by the year, for the seven years before the working year
    // (index 0: the year before).
    std::array<std::string, 7> previousYears;
    // [BANKI]
    std::uint16_t defaultBank = 0;     // DEF
    std::uint16_t zusBank = 0;         // DEF_ZUS; missing (31) reads as DEF
    struct Bank {
        std::string name, account;     // NAZWAn, NRBn
    };
    std::array<Bank, 5> banks;
    std::string irkZus;                // IRKwZUS
    FirmDate zbaDate;                  // DATA_ZBA
    std::string mikro;                 // Mikro
    // [PPK]
    std::string ppkTow, ppkUmo, ppkKon;  // TOW, UMO, KON
    // [OSOBA_FIZYCZNA]
    struct Person {
        std::string pesel, nip, surname, firstName, secondName, father, mother;  // PESEL ... MAMA
        FirmDate birthDate;            // DATA_URODZENIA
        std::string birthPlace, citizenship;  // MIEJSCE_URODZENIA, OBYWATELSTWO
        char otherIdKind = ' ';        // INNY_RODZAJ
        std::string otherIdNumber;     // INNY_NUMER
    } person;
    // [OSOBA_PRAWNA]
    std::array<std::string, 2> fullName;  // NAZWA_PELNA1, NAZWA_PELNA2
    std::string shortName;             // NAZWA_SKROCONA
    FirmDate startDate;                // DATA_ROZPOCZECIA
    // [ORGAN_REJESTROWY]
    std::string registrationAuthority, registry;  // ORGAN, REJESTR
    FirmDate registrationDate;         // DATA
    std::string registrationNumber, registrationCode, registrationOrzal;  // NUMER, KOD, ORZAL
    // [ADRES_SIEDZIBY]
    Address seat;
    std::string seatCommuneCode;       // KODGMINY
    bool seatIap = false;              // IAP
    // [ADRES_KOREPONDENCJA]
    Address correspondence;
    std::string correspondenceEmail, correspondenceFax;  // EMAIL, FAKS
    // [ADRES_ZAMIESZKANIA], [ADRES_DOKUMENTACJI]
    Address residence;
    Address documents;
    // [DZIALALNOSC] OPISn, KGNn, EKDn for n = 1, 2
    struct Activity {
        std::string description, kgn, ekd;
    };
    std::array<Activity, 2> activities;
    // [UPOWAZNIONY] NAZWISKO, IMIE, TELEFON, EMAIL, ST-KO
    std::string authorisedSurname, authorisedName, authorisedPhone, authorisedEmail, authorisedStKo;
    // [RODO] iod_nazwisko, iod_imie, iod_email, fpd_nazwa, fpd_adres, fpd_NIP, fpd_email
    std::string iodSurname, iodName, iodEmail, fpdName, fpdAddress, fpdNip, fpdEmail;
    // [BR] NAZWA, NIP, REGON, UMOWA
    std::string brName, brNip, brRegon, brContract;
    // [ZUS_ZxA]
    FirmDate zusSubmitted, zusFilled;  // DATAPOSK, WYPELNIONO
    std::string zwpaCode;              // ZWPA_KOD
    FirmDate zwpaDate;                 // ZWPA_DATA
    bool zpwaCorrection = false;       // ZPWA_KOR
    std::string ppPath;                // PPPATH
    char drai01 = ' ';                 // DRAI01
    std::uint16_t rentPrevious = 0;    // RENT and the year before the working year
    std::uint16_t rentCurrent = 0;     // RENT and the working year
    std::uint16_t rxa = 0, zwFgsp = 0;  // RxA, zwFGSP
    std::array<std::uint16_t, 12> draix02{};  // DRAIX02_ and the working year
    // [ZIPA]
    std::uint16_t zipaI = 0;           // I
    std::array<std::string, 3> zipa01to03;  // 01, 02, 03
    char zipa04 = ' ';                 // 04
    std::array<std::string, 4> zipa05to08;  // 05, 06, 07, 08
    FirmDate zipa09, zipaIv09;         // 09, IV09
    // [KPR]
    bool fas = true;                   // FAS
};

// Fills record from an INI file key by key (the record is cleared first; absent
// keys take their defaults).
void ReadFirmText(const IniFile& ini, FirmText& record);
// Stores every key of record into an INI file, in the order a fresh file shows them.
void WriteFirmText(IniFile& ini, const FirmText& record);

enum class FirmTextDirection { Read, Write };

// Reads the file into record or writes record into the file (a new file gets every
// section and key in table order; an existing one keeps its other lines and changes
// only values that differ). A missing file to be read gives the defaults. When the
// file cannot be opened, created or locked, "Błąd odczytu danych firmy" is shown
// and the result is false; false also when writing could not save the file whole.
bool TransferFirmText(FirmText& record, FirmTextDirection direction, std::string_view fileName);

// How a carry-over of the firm text data ended; which file failed, and whether the
// box "Błąd odczytu danych firmy" already said so.
enum class FirmTextCarry : std::uint16_t {
    Done = 0,
    SourceUnreadable = 1,  // box shown; the target was not touched
    TargetUnopened = 2,    // box shown; the target was not touched
    TargetNotSaved = 3,    // no box; the target may be incomplete
};

// Carries a firm's FIRMATXT.INI from its 2023 directory to its 2024 one: reads
// source with the working year 2024, puts location2023 (where the firm's 2023 data
// lie) under KPR2023 in [PATH], and writes target. Nothing is written from a
// source that could not be read whole.
FirmTextCarry CarryOverFirmText(std::string_view source, std::string_view target, std::string_view location2023);

}  // namespace product
