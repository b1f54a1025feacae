#pragma once
#include "toolkit/form.h"

namespace tavrin {

class FormKeyVol : public Form {
public:
    FormKeyVol() : Form("一键静音") {}

protected:
    void OnLoad() override;
};

}  // namespace tavrin
