#pragma once
#include "toolkit/form.h"

namespace tavrin {

class FormShutdown : public Form {
public:
    FormShutdown() : Form("定时关机") {}

protected:
    void OnLoad() override;
};

}  // namespace tavrin
