// TOwnedHandle: one owner for every handle the system hands out. The traits
// say which value means "none" and how the handle is given back, so this file
// needs no system header and is tested on every platform.
#pragma once

#include <utility>

namespace quillbox {

// TTraits provides:
//   using THandle = ...;            the handle's type
//   static THandle None();          the value that owns nothing
//   static void Close(THandle);     gives a handle other than None() back
template <class TTraits>
class TOwnedHandle {
public:
    using THandle = typename TTraits::THandle;

    TOwnedHandle() = default;
    explicit TOwnedHandle(THandle handle) : handle_(handle) {}
    ~TOwnedHandle() { Reset(); }
    TOwnedHandle(TOwnedHandle&& other) noexcept : handle_(other.Release()) {}
    TOwnedHandle& operator=(TOwnedHandle&& other) noexcept
    {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    TOwnedHandle(const TOwnedHandle&) = delete;
    TOwnedHandle& operator=(const TOwnedHandle&) = delete;

    THandle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != TTraits::None(); }

    // Gives the held handle back, then owns `handle`. Taking the handle
    // already held again would leave a closed one, so that is a no-op.
    void Reset(THandle handle = TTraits::None())
    {
        if (handle == handle_) return;
        const THandle old = std::exchange(handle_, handle);
        if (old != TTraits::None()) TTraits::Close(old);
    }

    // Hands the handle to a new owner (a window, the system) without giving it back.
    [[nodiscard]] THandle Release() { return std::exchange(handle_, TTraits::None()); }

private:
    THandle handle_ = TTraits::None();
};

}  // namespace quillbox
