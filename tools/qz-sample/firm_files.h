#pragma once
// Every file of one firm's 2023 directory: the annual settings, the firm marker, the
// firm text data, the staff and their tax data, the 2024 entries already made, and the
// other files that the converter's item table carries.
#include "tools/qz-sample/firm_plan.h"
#include "tools/qz-sample/sample_options.h"
#include "tools/qz-sample/sample_random.h"
#include "tools/qz-sample/tree_writer.h"

namespace qzsample {

// Record sizes of the files that the converter copies record by record.
inline constexpr std::size_t kFirmShortRecordSize = 224;   // FIRMA_A8.REK
inline constexpr std::size_t kAutomatRecordSize = 512;     // baza_sp9.rek, baza_za9.rek
inline constexpr std::size_t kTransferRecordSize = 432;    // BAZA_PP8.REK
inline constexpr std::size_t kWrittenOffRecordSize = 768;  // MT610.REK
inline constexpr std::size_t kInternalRecordSize = 784;    // BAZA_DW8.REK
inline constexpr std::size_t kInterestRecordSize = 200;    // ODS_ZOB.REK
inline constexpr std::size_t kVehicleRecordSize = 320;     // AUTOV26.REK
inline constexpr std::size_t kNoteRecordSize = 848;        // 2024_NK8.REK
inline constexpr std::size_t kColumnSumRecordSize = 3552;  // 2024KOL3.REK
inline constexpr std::size_t kAdvanceRecordSize = 1024;    // 2024ZAL.REK

bool writeFirm(const FirmPlan& firm, const SampleOptions& options, SampleRandom random, TreeWriter& out);

}  // namespace qzsample
