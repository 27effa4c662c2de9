// TAboutBox: the plug-in's name, version and home page in a small fixed
// dialog. ShowAbout builds one, shows it modally and destroys it.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "ui/about/about_metrics.h"
#include "ui/about/about_texts.h"
#include "ui/win32/about/ht_label.h"
#include "win32/win32_handles.h"

namespace quillbox {

struct TAboutRequest {
    HINSTANCE Module;  // holds the icon
    HWND Owner;        // disabled while the box is shown; may be null
    int LocaleID;      // the language at the moment the box is shown
    std::string PluginVersion;
};

void ShowAbout(const TAboutRequest& request);

class TAboutBox {
public:
    TAboutBox(HINSTANCE module, int localeID, const std::string& pluginVersion);
    ~TAboutBox() = default;
    TAboutBox(const TAboutBox&) = delete;
    TAboutBox& operator=(const TAboutBox&) = delete;

    // Returns once the box has closed.
    void ShowModal(HWND owner);

private:
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    void FormCreate(HWND dialog);
    HWND Label(int id, const std::string& caption);
    // Every control's place, size and font at the box's density.
    void LayOut(TDpiScale scale);
    void PlaceLabel(HWND label, int left, int top, HFONT font);
    void DpiChanged(int dpi, const RECT& suggested);
    INT_PTR LabelColours(HDC dc, HWND control) const;

    HINSTANCE module_;
    int localeID_;
    TAboutTexts texts_;
    TDpiScale scale_;
    TFontHandle labelFont_;    // owned: the labels' and the button's
    TFontHandle productFont_;  // owned: the product name's
    TIconHandle icon_;         // owned: the large icon shown in the box
    HWND dialog_ = nullptr;
    HWND panel_ = nullptr;
    HWND programIcon_ = nullptr;
    HWND productName_ = nullptr;
    HWND forHost_ = nullptr;
    HWND version_ = nullptr;
    HWND note_ = nullptr;
    HWND ok_ = nullptr;
    std::unique_ptr<THTLabel> htLabel1_;
};

}  // namespace quillbox
