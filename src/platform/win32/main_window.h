#pragma once
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "app/frm_main.h"
#include "platform/win32/control_twins.h"
#include "platform/win32/unique_handle.h"

namespace tavrin::win32 {

struct ImageListTraits {
    using Type = HIMAGELIST;
    static HIMAGELIST invalid() { return nullptr; }
    static void close(HIMAGELIST h) { ImageList_Destroy(h); }
};
using UniqueImageList = UniqueHandle<ImageListTraits>;

class FormWindow;

// The main window's twin: a top-level window with the toolbar along the top,
// the status bar along the bottom and, between them, the client area in which
// the feature panes lie stacked at the top-left corner.
class MainWindow final : public FormView {
public:
    explicit MainWindow(frmMain& model);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    HWND Hwnd() const { return hwnd_; }
    HWND ClientArea() const { return client_; }
    // The panes are resized with the client area; their controls are made
    // when first painted or when the program is first idle.
    void AddPane(FormWindow& pane);

    // FormView
    void ShowCaption(const std::string& caption) override;
    void ShowWindow(bool visible) override;
    void Center() override;
    void BringToFront() override;
    void Destroy() override;

    void AttachHwnd(HWND hwnd) { hwnd_ = hwnd; }
    LRESULT OnMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

private:
    // Shows the model's panel texts.
    class StatusTwin final : public ControlView {
    public:
        explicit StatusTwin(MainWindow& owner) : owner_(owner) {}
        void ShowItems(const std::vector<std::string>& texts) override;

    private:
        MainWindow& owner_;
    };

    void CreateToolbar();
    void CreateStatusBar();
    void Layout();
    bool AnswerRequest(HWND replyTo, const COPYDATASTRUCT& request);

    frmMain& model_;
    UINT restoreMessage_ = 0;
    HWND hwnd_ = nullptr;
    HWND toolbar_ = nullptr;
    HWND status_ = nullptr;
    HWND client_ = nullptr;
    UniqueImageList images_;  // outlives the toolbar, which goes with the window
    int dpi_ = 96;
    std::vector<FormWindow*> panes_;
    StatusTwin statusTwin_{*this};
    TimerTwin clockTimer_{model_.ClockTimer};
};

}  // namespace tavrin::win32
