#pragma once

namespace galemend {

// Lets the window handle what is waiting (repaints, clicks) in the middle of long work.
class PendingEvents {
  public:
    virtual ~PendingEvents() = default;
    virtual void Process() = 0;
};

// Headless runs have no window and nothing to process.
class NoPendingEvents final : public PendingEvents {
  public:
    void Process() override {}
};

}  // namespace galemend
