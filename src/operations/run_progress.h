// How a long command shows how far it has come and lets the window keep up:
// the window implements it once for every command.
#pragma once

#include "catalogue/progress.h"

namespace quillbox {

// ShowProgress: the percentage text in status panel 1 and on the bar; the
// window repaints.
class TRunProgress : public TProgressDisplay {
public:
    // Repaint, and let waiting messages through (Esc among them).
    virtual void ProcessMessages() = 0;
    // Esc was pressed since the run began; only runs that can stop ask.
    virtual bool StopRequested() = 0;
};

}  // namespace quillbox
