#include "tools/qz-sample/global_files.h"

#include <string>
#include <vector>

#include "platform/cp852.h"
#include "tools/qz-sample/payroll_settings_file.h"
#include "tools/qz-sample/plain_files.h"
#include "tools/qz-sample/polish_names.h"

namespace qzsample {

using namespace platform::literals;

namespace {

std::vector<std::string> contractors(SampleRandom& random, int count) {
    std::vector<std::string> labels;
    for (int i = 0; i < count; ++i) {
        const City& city = random.pick(cities());
        labels.push_back(std::string(random.pick(firmKinds())) + " " + std::string(random.pick(surnames()).male) + ", " +
                         std::string(city.name));
    }
    return labels;
}

}  // namespace

bool writeGlobalFiles(const SampleOptions& options, SampleRandom random, TreeWriter& out) {
    const std::string dir = std::string(kGlobalDirectory2023) + "/";
    // The eleven colours of the screen, a blue scheme some offices prefer.
    const std::string colours("\x07\x0F\x1F\x70\x17\x1E\x1F\x1F\x4F\x1E\x70", kColourFileSize);
    bool ok = out.put(dir + "baza_ad8.rek", labelledRecords(kAddressRecordSize, contractors(random, random.between(5, 30)))) &&
              out.put(dir + "kpr_2023.ini",
                      textLines({"[KPR]", "ROK=2023", "DRUKARKA=LPT1", "KOPIA=TAK", "KATALOG=\\KPR_2023", "",
                                 "[EKRAN]", "WIERSZE=25", "KOLUMNY=80"})) &&
              out.put(dir + "kart01.cnf", labelledRecords(256, {"Nazwisko", std::string("Imię"_cp), "PESEL", "Stanowisko"})) &&
              out.put(dir + "baza_ff.txt",
                      textLines({std::string("F2=Zakup towarów handlowych"_cp), std::string("F3=Sprzedaż usług"_cp),
                                 std::string("F4=Opłata za energię elektryczną"_cp), "F5=Czynsz", std::string("F10=Składki ZUS"_cp)})) &&
              out.put(dir + "KPR_QZ.INI",
                      textLines({"[DLL]", "MT510=MT510.DLL", "HD602=HD602.DLL", "WSAD=Wsad2KPR.EXE", "", "[JPK]",
                                 "WERSJA=2"})) &&
              out.put(dir + "2023spd.ini",
                      textLines({"[PODATEK]", "PROG1=120000", "STAWKA1=12", "STAWKA2=32", "KWOTA_WOLNA=30000",
                                 "[ZUS]", "PODSTAWA=4161,00"})) &&
              out.put(dir + "2023_lp2.cc", payrollSettingsFile(2023, random)) &&
              out.put(dir + "KOLORY.QZ", colours) &&
              out.put(dir + "OPERATOR.REK", labelledRecords(kOperatorRecordSize, {"ADMIN", "KSIEGOWA", "KADRY"})) &&
              out.put(dir + "ZUS_PEL.INI", textLines({"[ZUS_PEL]", "KOD_ODDZIALU=0" + std::to_string(random.between(10, 99)),
                                                      "PLATNIK=TAK"})) &&
              out.put(dir + "UMOWY.INI", textLines({"[UMOWY]", std::string("WZOR1=Umowa o pracę na czas nieokreślony"_cp),
                                                    "WZOR2=Umowa zlecenia"}));
    // A 2024_lp2.cc kept beside the 2023 one makes the global copy ask before it
    // replaces the file just converted.
    if (ok && options.profile == Profile::Full) ok = out.put(dir + "2024_lp2.cc", payrollSettingsFile(2024, random));
    return ok;
}

}  // namespace qzsample
