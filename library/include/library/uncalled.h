// Routines of the library that no program calls: an in-memory sort and search of keyed records,
// an angle difference, and matrix printers for checking intermediate results.
#pragma once
#include <array>
#include <cstdint>

#include "library/matrix.h"
#include "platform/sink.h"

namespace library {

// Shell sort (the gaps of BTRID) of PB entries of CS, CC, SO, SI (declared with I1 entries; the
// caller keeps PB <= I1) by the 32-bit key with CC as the high half and CS as the low (unsigned)
// half. The four arrays move together.
void TRID(std::int16_t* CS, std::int16_t* CC, Index PB, double* SO, double* SI, Index I1);
// The same with 6-character key halves compared as one 12-character text by byte value.
using KeyText = std::array<char, 6>;
void TRID(KeyText* CS, KeyText* CC, Index PB, double* SO, double* SI, Index I1);
// Fibonacci search (table of 12 entries) of entries 1..PB, sorted by the integer TRID, for the
// key (CSH, CCH). DONE: SOH, SIH = the entry's SO, SI. FAILED, no message: not found, PB < 1, or
// PB above 143 (outside the table; refused without a probe).
Status HLED(const std::int16_t* CS, const std::int16_t* CC, Index PB, const double* SO,
            const double* SI, std::int16_t CSH, std::int16_t CCH, double& SOH, double& SIH, Index I1);
// Difference of two angles between the same two directions in two epochs [cc]: SOH1, SOH2 the
// directions of epoch 1, SIH1, SIH2 of epoch 2; OM (out) rounded once to 32 bits.
void UHEL(double SOH1, double SOH2, double SIH1, double SIH2, float& OM);
// Matrix printers: A(1:K,1:L) (F10.3 values) with column numbers above the values and the row
// number on each row, in groups of ten columns; nothing when L exceeds the label table (100
// columns, 140 for MADTST). MADPRN: one record per row, no headings, no limit.
void MADTSK(const Matrix& A, Index K, Index L, platform::RecordSink& out);
void MADPRN(const Matrix& A, Index K, Index L, platform::RecordSink& out);
void MADTST(const Matrix& A, Index K, Index L, platform::RecordSink& out);
void MADTSD(const Matrix& A, Index K, Index L, platform::RecordSink& out);

}  // namespace library
