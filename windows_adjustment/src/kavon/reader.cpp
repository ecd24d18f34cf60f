// The two passes of reading the input file.
#include "kavon/reader.h"

#include <cmath>
#include <limits>

namespace kavon {

namespace {

constexpr int maxCount = std::numeric_limits<std::int16_t>::max();

// A number as it goes into a 16-bit integer: rounded to nearest, a half to even; nothing when
// it does not fit.
std::optional<std::int16_t> toInt16(double value)
{
    const double rounded = std::nearbyint(value);
    if (!(rounded >= std::numeric_limits<std::int16_t>::min() && rounded <= maxCount)) return std::nullopt;
    return static_cast<std::int16_t>(rounded);
}

// Skips the terminator line that ends the previous section.
bool skipLine(forms::SequentialFile& file2) { return file2.lineInput().has_value(); }

template <class T>
void size(std::vector<T>& array, int count)
{
    array.assign(static_cast<std::size_t>(count) + 1, T{});
}

// Station, target, value, weight records into four arrays.
bool readObservations(forms::SequentialFile& file2, int count, std::vector<double>& station,
                      std::vector<double>& target, std::vector<double>& value, std::vector<double>& weight)
{
    for (auto* array : {&station, &target, &value, &weight}) size(*array, count);
    for (int i = 1; i <= count; ++i) {
        const auto record = file2.recordInput(4);
        if (!record) return false;
        station[i] = (*record)[0];
        target[i] = (*record)[1];
        value[i] = (*record)[2];
        weight[i] = (*record)[3];
    }
    return true;
}

}  // namespace

bool countRecords(forms::SequentialFile& file2, ModuleData& data)
{
    data.nPoints = data.nDirections = data.nZenithAngles = data.nSlopeDistances = 0;
    if (!file2.isOpen()) return false;
    // Every press reads from the start, also after a press that failed half-way.
    file2.rewind();
    int counts[4] = {0, 0, 0, 0};
    int section = 0;
    while (const auto line = file2.lineInput()) {
        if (!line->empty() && (*line)[0] == '-') ++section;
        else if (section < 4 && ++counts[section] > maxCount) return false;
    }
    file2.close();
    data.nPoints = static_cast<std::int16_t>(counts[0] - 2);
    data.nDirections = static_cast<std::int16_t>(counts[1]);
    data.nZenithAngles = static_cast<std::int16_t>(counts[2]);
    data.nSlopeDistances = static_cast<std::int16_t>(counts[3]);
    if (data.nPoints < 0) return false;  // not even the title and the a-priori line
    // The computation counts 3 unknowns per point and all measured quantities in 16 bits.
    if (3 * counts[0] > maxCount + 6 || counts[1] + counts[2] + counts[3] > maxCount) return false;
    for (auto* array : {&data.pointX, &data.pointY, &data.pointZ, &data.pointCode}) size(*array, data.nPoints);
    size(data.pointNumber, data.nPoints);
    return true;
}

std::optional<std::array<double, 5>> readHeader(forms::SequentialFile& file2, ModuleData& data)
{
    if (file2.open(data.inputFileName, forms::SequentialFile::Mode::input) != forms::OpenError::none) return std::nullopt;
    if (!file2.lineInput()) return std::nullopt;  // the title, read whole and not kept
    const auto apriori = file2.recordInput(5);
    if (!apriori) return std::nullopt;
    data.sigma0 = (*apriori)[3];
    data.sigma0Used = data.sigma0;
    return std::array<double, 5>{(*apriori)[0], (*apriori)[1], (*apriori)[2], (*apriori)[3], (*apriori)[4]};
}

bool readPoints(forms::SequentialFile& file2, ModuleData& data)
{
    for (int i = 1; i <= data.nPoints; ++i) {
        const auto record = file2.recordInput(5);
        if (!record) return false;
        data.pointNumber[i] = (*record)[0];
        data.pointCode[i] = (*record)[1];
        data.pointX[i] = (*record)[2];
        data.pointY[i] = (*record)[3];
        data.pointZ[i] = (*record)[4];
    }
    if (data.nPoints == 0) return false;  // RC would divide by zero
    double sum = 0;
    for (int i = 1; i <= data.nPoints; ++i)
        sum += std::fabs(std::get<double>(data.pointX[i])) + std::fabs(std::get<double>(data.pointY[i]));
    data.RC = sum / (data.nPoints * 2);
    return true;
}

bool readDirections(forms::SequentialFile& file2, ModuleData& data)
{
    if (!skipLine(file2)) return false;
    data.nDirectionSets = data.nDirections > 0 ? 1 : 0;
    if (!readObservations(file2, data.nDirections, data.dirStation, data.dirTarget, data.dirValue, data.dirWeight))
        return false;
    double station = data.nDirections > 0 ? data.dirStation[1] : 0;
    for (int i = 2; i <= data.nDirections; ++i) {
        if (data.dirStation[i] != station) {
            station = data.dirStation[i];
            ++data.nDirectionSets;
        }
    }
    return true;
}

bool readZenithAngles(forms::SequentialFile& file2, ModuleData& data)
{
    if (!skipLine(file2)) return false;
    return readObservations(file2, data.nZenithAngles, data.zenStation, data.zenTarget, data.zenValue, data.zenWeight);
}

bool readSlopeDistances(forms::SequentialFile& file2, ModuleData& data)
{
    if (!skipLine(file2)) return false;
    const int count = data.nSlopeDistances;
    for (auto* array : {&data.distStation, &data.distValue, &data.distWeight}) size(*array, count);
    size(data.distTarget, count);
    for (int i = 1; i <= count; ++i) {
        const auto record = file2.recordInput(4);
        if (!record) return false;
        const auto target = toInt16((*record)[1]);
        if (!target) return false;
        data.distStation[i] = (*record)[0];
        data.distTarget[i] = *target;
        data.distValue[i] = (*record)[2];
        data.distWeight[i] = (*record)[3];
    }
    return true;
}

}  // namespace kavon
