// A C stream that is closed on every way out.
#pragma once

#include <cstdio>
#include <memory>

namespace quillbox {

struct TFileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using TFile = std::unique_ptr<std::FILE, TFileCloser>;

}  // namespace quillbox
