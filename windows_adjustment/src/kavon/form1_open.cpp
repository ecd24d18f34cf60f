// Opening the input file: the Open dialog and the open with its error numbers.
#include "forms/runtime.h"
#include "kavon/form1.h"
#include "kavon/texts.h"

#include <exception>

namespace kavon {

void Form1::ShowOpenDialog(int filterIndex)
{
    try {
        CMDialog1.fileName.clear();
        CMDialog1.filter = texts::openFilter;
        CMDialog1.filterIndex = filterIndex;
        CMDialog1.setAction(1);  // a cancel leaves the name empty
    } catch (const std::exception&) {
        forms::msgBox(texts::openDialogFailed);
    }
}

void Form1::Command4_Click()
{
    namespace E = forms::OpenError;
    forms::msgBox(texts::chooseInputFile);
    int error = E::none;
    do {
        ShowOpenDialog(texts::openFilterTxt);
        // A cancel leaves no name; its open reports 52 and the handler ends with nothing changed.
        error = file2.open(CMDialog1.fileName, forms::SequentialFile::Mode::input);
        switch (error) {
        case E::none:
        case E::fileNotFound:
        case E::pathFileAccessError:
        case E::pathNotFound:
            error = E::none;  // Čtení ze souboru then tells whether the file can be read
            break;
        case E::badFileNameOrNumber:
        case E::badFileName:
            return;
        case E::deviceUnavailable:
            forms::msgBox(texts::driveNotReady);
            file2.close();
            break;
        case E::diskNotReady:
            forms::msgBox(texts::closeDrive);
            file2.close();
            break;
        default:
            forms::msgBox(texts::fatalError);
            file2.close();
            break;
        }
    } while (error != E::none);
    data.inputFileName = CMDialog1.fileName;
    print(data.inputFileName);
    Command4->setEnabled(false);
    Command5->setEnabled(true);
}

}  // namespace kavon
