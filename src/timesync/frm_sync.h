#pragma once
#include "toolkit/form.h"

namespace tavrin {

class frmSync : public Form {
public:
    frmSync() : Form("网络自动校时") {}

protected:
    void OnLoad() override;
};

}  // namespace tavrin
