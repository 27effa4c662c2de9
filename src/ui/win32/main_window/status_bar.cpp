#include "ui/win32/main_window/status_bar.h"

#include <commctrl.h>

#include <vector>

namespace quillbox {

TStatusBar::TStatusBar(HWND parent, int controlId, const TMainWindowMetrics& metrics)
    : bar_(CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, metrics.StatusBarHeight, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), nullptr, nullptr)),
      // Segmented, no border, over panel 0.
      progressBar_(CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD, 0, 0, 0, 0, bar_, nullptr, nullptr, nullptr)),
      metrics_(metrics)
{
    SendMessageA(progressBar_, PBM_SETRANGE32, 0, 100);
    SendMessageA(progressBar_, PBM_SETPOS, 0, 0);
    LayOutPanels();
}

void TStatusBar::SetMetrics(const TMainWindowMetrics& metrics)
{
    metrics_ = metrics;
    LayOutPanels();
}

void TStatusBar::LayOutPanels()
{
    SendMessageA(bar_, SB_SETMINHEIGHT, static_cast<WPARAM>(metrics_.StatusBarHeight), 0);
    int right = 0;
    std::vector<int> edges;
    for (const int width : metrics_.StatusPanelWidths) edges.push_back(right += width);
    edges.back() = -1;  // the last panel takes what is left
    SendMessageA(bar_, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    ParentResized();
    RECT client{};
    GetClientRect(bar_, &client);
    MoveWindow(progressBar_, 0, metrics_.ProgressTop, metrics_.StatusPanelWidths[0],
               client.bottom - metrics_.ProgressTop, TRUE);
}

void TStatusBar::SetText(int panel, const std::string& text)
{
    SendMessageA(bar_, SB_SETTEXTA, static_cast<WPARAM>(panel), reinterpret_cast<LPARAM>(text.c_str()));
}

std::string TStatusBar::Text(int panel) const
{
    const LRESULT length = LOWORD(SendMessageA(bar_, SB_GETTEXTLENGTHA, static_cast<WPARAM>(panel), 0));
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    SendMessageA(bar_, SB_GETTEXTA, static_cast<WPARAM>(panel), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

void TStatusBar::ShowProgressBar(bool visible) { ShowWindow(progressBar_, visible ? SW_SHOW : SW_HIDE); }

void TStatusBar::SetProgress(int position) { SendMessageA(progressBar_, PBM_SETPOS, position, 0); }

void TStatusBar::ParentResized() { SendMessageA(bar_, WM_SIZE, 0, 0); }

}  // namespace quillbox
