// The work file and the hidden list of the results display.
#include "kavon/work_file.h"

#include "forms/numbers.h"
#include "forms/runtime.h"
#include "forms/seqfile.h"
#include "kavon/texts.h"

#include <vector>

namespace kavon {

namespace {

const std::string tenBlanks(10, ' ');
const std::string thirtyBlanks(30, ' ');
const std::string emptyLine(5, ' ');

// The text padded with blanks to end before the 1-based column, or followed by one blank when
// it reaches that column already.
void padTo(std::string& text, int column)
{
    const auto chars = static_cast<int>(text.size());  // digits, signs and the separator only
    text.append(chars < column - 1 ? static_cast<std::size_t>(column - 1 - chars) : 1, ' ');
}

double number(const Variant& value)
{
    if (std::holds_alternative<double>(value)) return std::get<double>(value);
    return forms::textToNumber(std::get<std::string>(value)).value_or(0.0);
}

std::string observationHeading(const char* quantity)
{
    return "Číslo stanoviska" + tenBlanks + "číslo cíle" + tenBlanks + quantity + thirtyBlanks + "Váha" + tenBlanks
           + "Oprava";
}

std::string dateAndTime(std::time_t now)
{
    std::tm local{};
    localtime_r(&now, &local);
    char date[32], time[32];
    std::snprintf(date, sizeof date, "%d.%d.%d", local.tm_mday, local.tm_mon + 1, local.tm_year + 1900);
    std::snprintf(time, sizeof time, "%02d:%02d:%02d", local.tm_hour, local.tm_min, local.tm_sec);
    return date + tenBlanks + time;
}

}  // namespace

std::string workFileRecord(double pointNumber, double x, double dx, double y)
{
    std::string record = forms::numberText(pointNumber);
    padTo(record, 12);
    record += forms::formatNumber(x, "0.0");
    padTo(record, 25);
    record += forms::formatNumber(dx, "0.0");
    padTo(record, 40);
    record += forms::formatNumber(y, "0.0");
    return record;
}

bool writeWorkFile(const ModuleData& data, forms::ListBox& list, std::time_t now)
{
    forms::SequentialFile file4;
    bool written = file4.open(workFileName, forms::SequentialFile::Mode::output) == forms::OpenError::none;
    for (int i = 1; written && i <= data.nPoints; ++i) {
        const auto at = static_cast<std::size_t>(i);
        file4.print(workFileRecord(data.pointNumber[at], number(data.pointX[at]), data.results->H(3 * i - 2, 1),
                                   number(data.pointY[at])));
        file4.endLine();
    }
    file4.close();
    std::vector<std::string> records;
    if (written && file4.open(workFileName, forms::SequentialFile::Mode::input) == forms::OpenError::none) {
        for (int i = 1; i <= data.nPoints; ++i)
            if (const auto line = file4.lineInput()) records.push_back(*line);
        file4.close();
    }
    if (static_cast<int>(records.size()) != data.nPoints) {
        forms::msgBox(texts::workFileFailed);
        return false;
    }

    const std::vector<std::string> head = {
        "KAVON" + tenBlanks + "ver. " + texts::version + tenBlanks + "3.4.2004",
        dateAndTime(now),
        "Název:  ",
        emptyLine,
        " Souřadnice",
        emptyLine,
        "Číslo bodu" + tenBlanks + "x" + thirtyBlanks + "y" + thirtyBlanks + "z" + tenBlanks + "kód" + tenBlanks
            + "umístění",
    };
    for (const auto& line : head) list.addItem(line);
    for (const auto& line : records) list.addItem(line);
    for (const char* quantity : {"Směr", "Zenitový úhel", "Šikmá délka"}) {
        list.addItem(emptyLine);
        list.addItem(observationHeading(quantity));
    }
    list.addItem(emptyLine);
    for (int i = 1; i <= 10; ++i) list.addItem("text" + forms::formatNumber(123.3 + i, "0.0"));
    return true;
}

}  // namespace kavon
