// The scan's window for the benchmarks: nothing to show, nobody to press Esc;
// errors go to standard error.
#pragma once

#include <cstdio>
#include <string>

#include "catalogue/scan_window.h"

namespace quillbox {

class TQuietWindow : public TScanWindow {
public:
    void SetScanning(bool) override {}
    bool EscPressed() const override { return false; }
    void ClearEscPressed() override {}
    void ProcessMessages() override {}
    void SetGridEnabled(bool) override {}
    void SetToolBarEnabled(bool) override {}
    void ClearView() override {}
    void ShowScanStarted() override {}
    void ShowError(const std::string& text) override { std::fprintf(stderr, "scan error: %s\n", text.c_str()); }
    void ShowProgressBar(bool) override {}
    void ShowProgress(const std::string&, int) override {}
    void RebuildView() override {}
};

}  // namespace quillbox
