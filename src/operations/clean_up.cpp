#include "operations/clean_up.h"

namespace quillbox {

void CleanUp(std::exception_ptr error, std::initializer_list<std::function<void()>> steps)
{
    for (const auto& step : steps) {
        try {
            step();
        } catch (...) {
            if (!error) error = std::current_exception();
        }
    }
    if (error) std::rethrow_exception(error);
}

}  // namespace quillbox
