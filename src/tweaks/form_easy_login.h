#pragma once
#include "toolkit/form.h"

namespace tavrin {

class FormEasyLogin : public Form {
public:
    FormEasyLogin() : Form("开机自动登录") {}

protected:
    void OnLoad() override;
};

}  // namespace tavrin
