#pragma once

// The hourglass for the span of one operation; the pointer goes back on every
// way out of the scope.
class WaitCursor
{
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

    // What `work` returns, worked out under the hourglass.
    template <class Work>
    static auto during(Work&& work)
    {
        const WaitCursor hourglass;
        return work();
    }
};
