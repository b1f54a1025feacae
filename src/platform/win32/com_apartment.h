#pragma once
#include <objbase.h>

namespace tavrin::win32 {

// COM for the calling thread, for as long as the object lives. A thread that
// already joined the other apartment kind keeps it and can still use COM;
// only an initialisation that succeeded here is undone here.
class ComApartment {
public:
    ComApartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComApartment() {
        if (SUCCEEDED(result_)) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    bool Usable() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }

private:
    HRESULT result_;
};

}  // namespace tavrin::win32
