// A flag set for as long as a command that lets waiting messages through
// runs, so that no other command starts under it.
#pragma once

namespace quillbox {

class TSavingFlag {
public:
    explicit TSavingFlag(bool& flag) : flag_(flag) { flag_ = true; }
    ~TSavingFlag() { flag_ = false; }
    TSavingFlag(const TSavingFlag&) = delete;
    TSavingFlag& operator=(const TSavingFlag&) = delete;

private:
    bool& flag_;
};

}  // namespace quillbox
