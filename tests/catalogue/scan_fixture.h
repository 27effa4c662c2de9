// A folder on disk, a window that records what the scan shows, and an icon
// cache that records what it is asked for.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "catalogue/folder_scan.h"

namespace quillbox::testing {

class TRecordingWindow : public TScanWindow {
public:
    void SetScanning(bool scanning) override { Scanning = scanning, Log("scanning", scanning); }
    bool EscPressed() const override { return Esc; }
    void ClearEscPressed() override { Esc = false; }
    void ProcessMessages() override
    {
        Log("messages");
        if (OnMessages) OnMessages();
    }
    void SetGridEnabled(bool enabled) override { GridEnabled = enabled, Log("grid", enabled); }
    void SetToolBarEnabled(bool enabled) override { ToolBarEnabled = enabled, Log("toolbar", enabled); }
    void ClearView() override { Log("clear view"); if (OnClearView) OnClearView(); }
    void ShowScanStarted() override { Log("started"); }
    void ShowError(const std::string& text) override { Errors.push_back(text); }
    void ShowProgressBar(bool visible) override { ProgressBarVisible = visible, Log("bar", visible); }
    void ShowProgress(const std::string& text, int position) override
    {
        ProgressTexts.push_back(text);
        EXPECT_EQ(text.empty() ? 0 : std::stoi(text), position);
        if (OnProgress) OnProgress();
    }
    void RebuildView() override { Log("rebuild"); }

    std::vector<std::string> Events;
    std::vector<std::string> ProgressTexts;
    std::vector<std::string> Errors;
    bool Scanning = false, GridEnabled = true, ToolBarEnabled = true, ProgressBarVisible = false;
    bool Esc = false;
    std::function<void()> OnMessages, OnProgress, OnClearView;

private:
    void Log(const std::string& what) { Events.push_back(what); }
    void Log(const std::string& what, bool on) { Events.push_back(what + (on ? " on" : " off")); }
};

class TRecordingIcons : public TIconSource {
public:
    const TIconListItem* GetIcon(const std::string& extension) override
    {
        Asked.push_back(extension);
        return nullptr;
    }
    std::vector<std::string> Asked;
};

}  // namespace quillbox::testing
