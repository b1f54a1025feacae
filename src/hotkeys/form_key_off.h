#pragma once
#include "toolkit/form.h"

namespace tavrin {

class FormKeyOff : public Form {
public:
    FormKeyOff() : Form("一键关机") {}

protected:
    void OnLoad() override;
};

}  // namespace tavrin
