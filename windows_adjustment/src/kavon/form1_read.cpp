// Reading the input file into the arrays, the a-priori text boxes and the four tables.
#include "forms/numbers.h"
#include "forms/runtime.h"
#include "kavon/form1.h"
#include "kavon/reader.h"
#include "kavon/texts.h"

namespace kavon {

void Form1::Command5_Click()
{
    const auto fail = [] { forms::msgBox(texts::readError); };
    if (!countRecords(file2, data)) return fail();
    const auto apriori = readHeader(file2, data);
    if (!apriori) return fail();
    fillAprioriBoxes(*apriori);
    if (!readPoints(file2, data) || !readDirections(file2, data) || !readZenithAngles(file2, data)
        || !readSlopeDistances(file2, data))
        return fail();

    fillPointTable();
    fillObservationTable(*Fl2, *Label1, data.nDirections, data.dirStation, data.dirTarget, data.dirValue, data.dirWeight);
    fillObservationTable(*Fl3, *Label3, data.nZenithAngles, data.zenStation, data.zenTarget, data.zenValue,
                         data.zenWeight);
    const std::vector<double> distTarget(data.distTarget.begin(), data.distTarget.end());
    fillObservationTable(*Fl4, *Label4, data.nSlopeDistances, data.distStation, distTarget, data.distValue,
                         data.distWeight);
    Label5->show();
    Command5->setEnabled(false);
    Command6->setEnabled(false);
    Command8->setEnabled(true);
    Picture1->show();
}

void Form1::fillAprioriBoxes(const std::array<double, 5>& apriori)
{
    // The file gives direction, slope distance, zenith angle, unit; each box stands beside the
    // label of its own quantity: Text2 by "Zenitového úhlu:", Text3 by "Délky:".
    Text1->setText(forms::formatNumber(apriori[0], "0.0"));
    Text2->setText(forms::formatNumber(apriori[2], "0.0"));
    Text3->setText(forms::formatNumber(apriori[1], "0.0"));
    Text4->setText(forms::formatNumber(data.sigma0, "0.0"));
}

void Form1::fillPointTable()
{
    const auto number = [](const Variant& value) { return forms::numberText(std::get<double>(value)); };
    const auto coordinate = [](const Variant& value) { return forms::formatNumber(std::get<double>(value), "#####0.0"); };
    Fl1->setRows(data.nPoints + 1);
    data.gridCols = Fl1->cols();
    for (int i = 1; i <= data.nPoints; ++i) {
        const int k = i * data.gridCols;
        Fl1->setTextArray(k, forms::numberText(data.pointNumber[i]));
        Fl1->setTextArray(k + 1, coordinate(data.pointX[i]));
        Fl1->setTextArray(k + 2, coordinate(data.pointY[i]));
        Fl1->setTextArray(k + 3, coordinate(data.pointZ[i]));
        Fl1->setTextArray(k + 4, number(data.pointCode[i]));
    }
    Fl1->show();
    Label2->show();
}

void Form1::fillObservationTable(forms::Grid& grid, forms::Label& caption, int count,
                                 const std::vector<double>& station, const std::vector<double>& target,
                                 const std::vector<double>& value, const std::vector<double>& weight)
{
    grid.setRows(count + 1);
    data.gridCols = grid.cols();
    for (int i = 1; i <= count; ++i) {
        const int k = i * data.gridCols;
        grid.setTextArray(k, forms::numberText(station[i]));
        grid.setTextArray(k + 1, forms::numberText(target[i]));
        grid.setTextArray(k + 2, forms::numberText(value[i]));
        grid.setTextArray(k + 3, forms::numberText(weight[i]));
    }
    grid.setMergeCol(0, true);
    caption.show();
    grid.show();
}

}  // namespace kavon
