// The hidden list window.
#include "kavon/form2.h"

#include "kavon/texts.h"

namespace kavon {

Form2::Form2() : forms::Form(texts::form2Caption, 11985, 8520)
{
    List1 = new forms::ListBox(this);
    List1->place(240, 240, 11535, 7860);
    List1->setFontPoints(12, false);
}

}  // namespace kavon
