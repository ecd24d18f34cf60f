// The Open dialog.
#include "forms/common_dialog.h"

#include "forms/runtime.h"

#include <QApplication>
#include <QFileDialog>

namespace forms {

namespace {

std::vector<std::string> splitBars(const std::string& text)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t bar = text.find('|', start);
        parts.push_back(text.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
        if (bar == std::string::npos) return parts;
        start = bar + 1;
    }
}

// "*.txt" as "*.[tT][xX][tT]"; "*.*" as "*".
QString caseFreePattern(const std::string& pattern)
{
    if (pattern == "*.*") return "*";
    QString result;
    for (const QChar c : QString::fromStdString(pattern)) {
        if (c.isLetter() && c.toLower() != c.toUpper()) result += QString("[%1%2]").arg(c.toLower()).arg(c.toUpper());
        else result += c;
    }
    return result;
}

}  // namespace

QStringList qtNameFilters(const std::string& filter)
{
    const auto parts = splitBars(filter);
    QStringList filters;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& p : QString::fromStdString(parts[i + 1]).split(';', Qt::SkipEmptyParts))
            patterns << caseFreePattern(p.trimmed().toStdString());
        filters << QString::fromStdString(parts[i]) + " (" + patterns.join(' ') + ")";
    }
    return filters;
}

void CommonDialog::setAction(int action)
{
    if (action != 1) return;
    if (runtimeSeam().openDialog) {
        fileName = runtimeSeam().openDialog(OpenDialogRequest{filter, filterIndex});
        return;
    }
    QFileDialog dialog(QApplication::activeWindow());
    // Any typed name is taken, as the run-time's dialog takes it: whether the file exists is
    // for the open and the reading that follow to find out and to report.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    const QStringList filters = qtNameFilters(filter);
    dialog.setNameFilters(filters);
    if (filterIndex >= 1 && filterIndex <= filters.size()) dialog.selectNameFilter(filters[filterIndex - 1]);
    if (!fileName.empty()) dialog.selectFile(QString::fromStdString(fileName));
    fileName.clear();
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        fileName = dialog.selectedFiles().first().toStdString();
}

}  // namespace forms
