#include "regex/compiled_command_cache.h"

#include <list>
#include <mutex>
#include <utility>

#include "regex/regex_limits.h"
#include "text/code_page.h"

namespace quillbox::regex {
namespace {

struct TEntry {
    unsigned codePage;
    std::string command;
    std::shared_ptr<const TCompiledCommand> compiled;
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
                if (it->codePage == codePage && it->command == command) {
                    entries_.splice(entries_.begin(), entries_, it);
                    return entries_.front().compiled;
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
