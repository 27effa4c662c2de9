// Runs a test script beside the user-interface thread (host/README.md).
#pragma once

#include "script/script_parser.h"

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace quillbox {

class THostApp;

class TScriptRunner {
public:
    explicit TScriptRunner(THostApp& host) : host_(host) {}
    ~TScriptRunner() { Join(); }
    TScriptRunner(const TScriptRunner&) = delete;
    TScriptRunner& operator=(const TScriptRunner&) = delete;

    // False (with a message) when the file cannot be read or parsed.
    bool Start(const std::string& path);
    void Join();
    bool Failed() const { return failed_; }

private:
    void RunAll();
    // Throws TScriptFailure.
    void RunLine(const TScriptLine& line);

    THostApp& host_;
    std::vector<TScriptLine> lines_;
    std::thread thread_;
    std::atomic<bool> failed_{false};
    double timeoutSeconds_ = 10;
};

}  // namespace quillbox
