// Runs a test script beside the user-interface thread (host/README.md).
#pragma once

#include "script_verb.h"
#include "script/script_parser.h"

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace quillbox {

class TScriptRunner {
public:
    explicit TScriptRunner(THostApp& host) : session_{host} {}
    ~TScriptRunner() { Join(); }
    TScriptRunner(const TScriptRunner&) = delete;
    TScriptRunner& operator=(const TScriptRunner&) = delete;

    // False (with a message) when the file cannot be read or parsed.
    bool Start(const std::string& path);
    void Join();
    bool Failed() const { return failed_; }

private:
    void RunAll();
    // Looks the verb up in the verb tables; throws TScriptFailure.
    void RunLine(const TScriptLine& line);

    TScriptSession session_;
    std::vector<TScriptLine> lines_;
    std::thread thread_;
    std::atomic<bool> failed_{false};
};

}  // namespace quillbox
