#include "convert/annual/annual_records.h"

#include <algorithm>

namespace convert {

namespace {

constexpr std::size_t kDoubleSize = 8;
constexpr std::size_t kWordSize = 2;

template <std::size_t N>
void CopyCarried(product::RecordBytes source, product::RecordBuffer target, const std::array<CarriedField, N>& fields) {
    for (const CarriedField& field : fields) product::CopyBytes(source, target, field.offset, field.width);
}

// A short text copied into the same field of the target, its length cut to the
// field and the bytes after it left 0.
void CopyText(product::RecordBytes source, product::RecordBuffer target, product::TextField field) {
    const std::string text = product::ReadText(source, field);
    product::WriteByte(target, field.offset, static_cast<std::uint8_t>(text.size()));
    std::copy(text.begin(), text.end(), target.begin() + static_cast<std::ptrdiff_t>(field.offset + 1));
}

}  // namespace

void BuildGeneral(product::RecordBytes source, product::RecordBuffer target, bool from2024) {
    using General = AnnualGeneral;
    product::ClearBytes(target, 0, kAnnualRecordSize);
    CopyCarried(source, target, General::kCarried);
    product::WriteByte(target, General::kConstantA, General::kConstant);
    product::WriteByte(target, General::kConstantB, General::kConstant);
    if (from2024) {
        // The year has begun in the 2023 program: its counters and series go on.
        product::CopyBytes(source, target, General::kMonthCounter, 1);
        product::CopyBytes(source, target, General::kFirstOpenMonth, 1);
        for (std::size_t month = 0; month < General::kMonthCount; ++month)
            product::CopyBytes(source, target, General::kMonths + month * General::kMonthSize, 2 * kWordSize);
        product::CopyBytes(source, target, General::kVatProportion, kWordSize);
        product::CopyBytes(source, target, General::kBalances, General::kBalanceCount * kDoubleSize);
        product::CopyBytes(source, target, General::kSecondSeries, General::kSecondSeriesCount * kDoubleSize);
        product::CopyBytes(source, target, General::kWord416, kWordSize);
        return;
    }
    // A new year: counters start again, last year's closing values open it.
    product::WriteByte(target, General::kMonthCounter, 1);
    product::WriteByte(target, General::kFirstOpenMonth, 1);
    for (std::size_t month = 0; month < General::kMonthCount; ++month) {
        const std::size_t entry = General::kMonths + month * General::kMonthSize;
        product::WriteWord(target, entry, 1);
        product::WriteWord(target, entry + kWordSize, 1);
    }
    product::WriteWord(target, General::kVatProportion, product::ReadWord(source, General::kVatSettled));
    const std::size_t lastBalance = General::kBalanceCount - 1;
    product::CopyBytes(source, General::kBalances + lastBalance * kDoubleSize, target, General::kBalances, kDoubleSize);
    const std::size_t lastOfSeries = General::kSecondSeriesCount - 1;
    product::CopyBytes(source, General::kSecondSeries + lastOfSeries * kDoubleSize, target, General::kSecondSeries,
              kDoubleSize);
    product::WriteWord(target, General::kWord416, 1);
}

void BuildNumbering(product::RecordBytes source, product::RecordBuffer target, bool from2024) {
    using Numbering = AnnualNumbering;
    product::ClearBytes(target, 0, kAnnualRecordSize);
    CopyCarried(source, target, Numbering::kCarried);
    for (std::size_t series = 0; series < Numbering::kSeriesCount; ++series) {
        const std::size_t at = Numbering::kSeries + series * Numbering::kSeriesSize;
        CopyText(source, target, {at + Numbering::kPrefix.offset, Numbering::kPrefix.capacity});
        CopyText(source, target, {at + Numbering::kSuffix.offset, Numbering::kSuffix.capacity});
        if (from2024)
            product::CopyBytes(source, target, at + Numbering::kCounter, kWordSize);
        else
            product::WriteWord(target, at + Numbering::kCounter, 1);
    }
}

void BuildDeclarations(product::RecordBytes source, product::RecordBuffer target, bool from2024) {
    product::ClearBytes(target, 0, kAnnualRecordSize);
    CopyCarried(source, target, AnnualDeclarations::kCarried);
    if (from2024) product::CopyBytes(source, target, AnnualDeclarations::kMonths, AnnualDeclarations::kMonthsSize);
}

}  // namespace convert
