// "Zobrazení výsledků": the results window filled from the last press that moved the points,
// the work file and the hidden list.
#include "forms/numbers.h"
#include "forms/runtime.h"
#include "kavon/form1.h"
#include "kavon/form2.h"
#include "kavon/form3.h"
#include "kavon/texts.h"
#include "kavon/work_file.h"

#include <array>
#include <cmath>

namespace kavon {

namespace {

// The placement texts by code 0 to 7; any other code places no condition and shows nothing.
std::string placementText(const Variant& code)
{
    static const std::array<const char*, 8> texts = {
        "", "", "směr", "Helmert", "dx=0, dy=0", "dy=0, dz=0", "dx=0, dz=0", "dx=0, dy=0, dz=0"};
    const std::optional<double> value = std::holds_alternative<double>(code)
                                            ? std::optional<double>(std::get<double>(code))
                                            : forms::textToNumber(std::get<std::string>(code));
    if (!value) return "";
    for (int c = 0; c < 8; ++c)
        if (*value == c) return texts[static_cast<std::size_t>(c)];
    return "";
}

std::string formatted(double value) { return forms::formatNumber(value, "#####0.0"); }

// A point cell formatted; a cell text that is not a number is shown as it stands.
std::string formatted(const Variant& cell)
{
    if (std::holds_alternative<double>(cell)) return formatted(std::get<double>(cell));
    const auto value = forms::textToNumber(std::get<std::string>(cell));
    return value ? formatted(*value) : std::get<std::string>(cell);
}

std::string text(const Variant& cell)
{
    return std::holds_alternative<double>(cell) ? forms::numberText(std::get<double>(cell)) : std::get<std::string>(cell);
}

}  // namespace

void Form1::Command7_Click()
{
    if (!data.results) {
        forms::msgBox(texts::noResults);
        return;
    }
    Form3& f = form3();
    f.showForm();
    writeWorkFile(data, *form2().List1, std::time(nullptr));
    fillCoordinateTable();
    fillResultTable(*f.Grid2, data.nDirections, 0, data.dirStation, data.dirTarget, data.dirValue, data.dirWeight);
    fillResultTable(*f.Grid3, data.nZenithAngles, data.nDirections, data.zenStation, data.zenTarget, data.zenValue,
                    data.zenWeight);
    const std::vector<double> distTarget(data.distTarget.begin(), data.distTarget.end());
    fillResultTable(*f.Grid4, data.nSlopeDistances, data.nDirections + data.nZenithAngles, data.distStation,
                    distTarget, data.distValue, data.distWeight);
}

void Form1::fillCoordinateTable()
{
    forms::Grid& grid = *form3().Grid1;
    const Matrix& H = data.results->H;
    grid.setRows(data.nPoints + 1);
    data.gridCols = grid.cols();
    for (int i = 1; i <= data.nPoints; ++i) {
        const int k = i * data.gridCols;
        const auto at = static_cast<std::size_t>(i);
        grid.setTextArray(k, forms::numberText(data.pointNumber[at]));
        grid.setTextArray(k + 1, formatted(data.pointX[at]));
        grid.setTextArray(k + 2, formatted(H(3 * i - 2, 1)));
        grid.setTextArray(k + 3, formatted(data.pointY[at]));
        grid.setTextArray(k + 4, formatted(H(3 * i - 1, 1)));
        grid.setTextArray(k + 5, formatted(data.pointZ[at]));
        grid.setTextArray(k + 6, formatted(H(3 * i, 1)));
        grid.setTextArray(k + 7, text(data.pointCode[at]));
        grid.setTextArray(k + 8, placementText(data.pointCode[at]));
    }
    grid.show();
}

void Form1::fillResultTable(forms::Grid& grid, int count, int before, const std::vector<double>& station,
                            const std::vector<double>& target, const std::vector<double>& value,
                            const std::vector<double>& weight)
{
    const Matrix& V = data.results->V;
    grid.setRows(count + 1);
    data.gridCols = grid.cols();
    for (int i = 1; i <= count; ++i) {
        const int k = i * data.gridCols;
        const auto at = static_cast<std::size_t>(i);
        grid.setTextArray(k, forms::numberText(station[at]));
        grid.setTextArray(k + 1, forms::numberText(target[at]));
        grid.setTextArray(k + 2, formatted(value[at]));
        grid.setTextArray(k + 3, formatted(V(before + i, 1)));
        grid.setTextArray(k + 4, forms::numberText(weight[at]));
    }
    grid.setMergeCol(1, true);
    grid.show();
}

}  // namespace kavon
