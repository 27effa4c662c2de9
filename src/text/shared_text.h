// Read-only bytes handed from one owner to another without copying them: a
// mail's source as the host gave it (its own buffer, or a file it mapped),
// or a string of ours. Copies share the bytes; whoever holds them last
// releases them, once.
//
// A mail of a hundred megabytes copied on every hand-over costs a second
// buffer of that size (a 32-bit process has 2 GB) and the time to fill it.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

namespace quillbox {

class TSharedText {
public:
    TSharedText() = default;
    explicit TSharedText(std::string text)
    {
        auto owned = std::make_shared<const std::string>(std::move(text));
        text_ = *owned;
        owner_ = std::move(owned);
    }
    // Bytes that `owner` keeps alive and releases when the last copy goes.
    TSharedText(std::string_view text, std::shared_ptr<const void> owner) : text_(text), owner_(std::move(owner)) {}

    std::string_view View() const { return text_; }
    operator std::string_view() const { return text_; }  // NOLINT(google-explicit-constructor): read as text
    const char* data() const { return text_.data(); }
    std::size_t size() const { return text_.size(); }
    bool empty() const { return text_.empty(); }

    // The first `count` bytes, sharing the same owner.
    TSharedText Prefix(std::size_t count) const { return TSharedText(text_.substr(0, count), owner_); }

    friend bool operator==(const TSharedText& a, std::string_view b) { return a.text_ == b; }
    friend bool operator==(const TSharedText& a, const TSharedText& b) { return a.text_ == b.text_; }

private:
    std::string_view text_;
    std::shared_ptr<const void> owner_;
};

}  // namespace quillbox
