// The hidden list window: a list that the results display fills and that is never shown.
#pragma once
#include "forms/controls.h"
#include "forms/form.h"

namespace kavon {

class Form2 : public forms::Form {
public:
    Form2();
    forms::ListBox* List1;
};

}  // namespace kavon
