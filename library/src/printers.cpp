// Matrix printers for checking intermediate results: values F10.3, ten to a line.
//
// Layout of the labelled printers, per group of ten columns (columns c .. c+9):
//   " " + 5 blanks + the column numbers, each right-aligned in 10 characters
//   " " + the row number in 5 characters + the values of that row in those columns (F10.3)
// for the rows 1..K, with an empty record after each group.
#include "library/uncalled.h"

#include <algorithm>

#include "platform/record.h"

namespace library {

namespace {

constexpr int columns_per_line = 10;
constexpr int value_width = 10;
constexpr int value_decimals = 3;
constexpr int row_number_width = 5;

// The printers label at most this many columns: 100, and 140 for MADTST.
constexpr int label_table = 100;
constexpr int long_label_table = 140;

void labelled(const Matrix& A, Index K, Index L, platform::RecordSink& out, int labels)
{
    if (L > labels || K <= 0 || L <= 0) return;
    for (int first = 1; first <= L; first += columns_per_line) {
        const int last = std::min<int>(L, first + columns_per_line - 1);
        platform::Record heading(" ");
        heading.blanks(row_number_width);
        for (int J = first; J <= last; ++J) heading.i(J, value_width);
        out.put(heading);
        for (int I = 1; I <= K; ++I) {
            platform::Record row(" ");
            row.i(I, row_number_width);
            for (int J = first; J <= last; ++J) row.f(A(I, J), value_width, value_decimals);
            out.put(row);
        }
        out.empty();
    }
}

}  // namespace

void MADTSK(const Matrix& A, Index K, Index L, platform::RecordSink& out) { labelled(A, K, L, out, label_table); }

void MADTST(const Matrix& A, Index K, Index L, platform::RecordSink& out) { labelled(A, K, L, out, long_label_table); }

void MADTSD(const Matrix& A, Index K, Index L, platform::RecordSink& out) { labelled(A, K, L, out, label_table); }

// One record per row with all its values, no headings.
void MADPRN(const Matrix& A, Index K, Index L, platform::RecordSink& out)
{
    if (L <= 0) return;
    for (int I = 1; I <= K; ++I) {
        platform::Record row(" ");
        for (int J = 1; J <= L; ++J) row.f(A(I, J), value_width, value_decimals);
        out.put(row);
    }
}

}  // namespace library
