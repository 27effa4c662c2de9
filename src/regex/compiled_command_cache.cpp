#include "regex/compiled_command_cache.h"

#include <list>
#include <mutex>
#include <utility>

#include "regex/regex_limits.h"
#include "text/code_page.h"

namespace quillbox::regex {
namespace {

struct TEntry {
    unsigned CodePage;
    std::string Command;
    std::shared_ptr<const TCompiledCommand> Compiled;
};

// Most recently used first.
class TCache {
public:
    std::shared_ptr<const TCompiledCommand> Get(const std::string& command)
    {
        const unsigned codePage = TCodePage::Active().Id();
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            for (auto it = entries_.begin(); it != entries_.end(); ++it) {
                if (it->CodePage == codePage && it->Command == command) {
                    entries_.splice(entries_.begin(), entries_, it);
                    return entries_.front().Compiled;
                }
            }
        }
        auto compiled = std::make_shared<const TCompiledCommand>(command);
        const std::lock_guard<std::mutex> lock(mutex_);
        entries_.push_front({codePage, command, compiled});
        if (entries_.size() > kSharedCommands) entries_.pop_back();
        return compiled;
    }

private:
    std::mutex mutex_;
    std::list<TEntry> entries_;
};

}  // namespace

std::shared_ptr<const TCompiledCommand> CompiledCommandFor(const std::string& command)
{
    static TCache cache;
    return cache.Get(command);
}

}  // namespace quillbox::regex
