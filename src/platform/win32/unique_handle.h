#pragma once
#include <windows.h>

#include <utility>

namespace tavrin::win32 {

// One owner for every kind of OS handle: move-only, closes exactly once.
template <class Traits>
class UniqueHandle {
public:
    using T = typename Traits::Type;
    UniqueHandle() noexcept = default;
    explicit UniqueHandle(T h) noexcept : h_(h) {}
    UniqueHandle(UniqueHandle&& o) noexcept : h_(o.release()) {}
    UniqueHandle& operator=(UniqueHandle&& o) noexcept {
        reset(o.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    T get() const noexcept { return h_; }
    T* put() noexcept {  // for out-parameters
        reset();
        return &h_;
    }
    T release() noexcept { return std::exchange(h_, Traits::invalid()); }
    void reset(T h = Traits::invalid()) noexcept {
        if (h_ != Traits::invalid()) Traits::close(h_);
        h_ = h;
    }
    explicit operator bool() const noexcept { return h_ != Traits::invalid(); }

private:
    T h_ = Traits::invalid();
};

struct HkeyTraits {
    using Type = HKEY;
    static HKEY invalid() { return nullptr; }
    static void close(HKEY h) { RegCloseKey(h); }
};
struct HandleTraits {
    using Type = HANDLE;
    static HANDLE invalid() { return nullptr; }
    static void close(HANDLE h) { CloseHandle(h); }
};
struct WindowTraits {
    using Type = HWND;
    static HWND invalid() { return nullptr; }
    static void close(HWND h) { DestroyWindow(h); }
};

struct MenuTraits {
    using Type = HMENU;
    static HMENU invalid() { return nullptr; }
    static void close(HMENU h) { DestroyMenu(h); }
};

struct FontTraits {
    using Type = HFONT;
    static HFONT invalid() { return nullptr; }
    static void close(HFONT h) { DeleteObject(h); }
};

using UniqueHkey = UniqueHandle<HkeyTraits>;            // never wrap HKEY_LOCAL_MACHINE & co.
using UniqueKernelHandle = UniqueHandle<HandleTraits>;  // nullptr-invalid kinds: tokens, mutexes
using UniqueWindow = UniqueHandle<WindowTraits>;        // top-level windows only; children die with parents
using UniqueMenu = UniqueHandle<MenuTraits>;            // menus no window holds
using UniqueFont = UniqueHandle<FontTraits>;            // must outlive the windows that use it

}  // namespace tavrin::win32
