#pragma once

#include <functional>
#include <optional>
#include <utility>

#include "controls/ChangeSignal.h"

namespace galemend {

// Keeps a search or a conversion from starting while one runs. The window processes
// pending events during a search, so a click may try to start a second run from inside
// the first; TryStart refuses it.
class Busy {
  public:
    // Marks the run as going on until it is destroyed.
    class Scope {
      public:
        Scope(Scope&& other) noexcept : busy_(std::exchange(other.busy_, nullptr)) {}
        Scope& operator=(Scope&&) = delete;
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;
        ~Scope();

      private:
        friend class Busy;
        explicit Scope(Busy& busy) : busy_(&busy) {}
        Busy* busy_;
    };

    Busy() = default;
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;

    bool Running() const { return running_; }
    // A scope when nothing runs, or nothing when a run is in progress.
    [[nodiscard]] std::optional<Scope> TryStart();

    // Told when a run starts and when it ends.
    void OnChange(std::function<void()> observer) { changed_.Connect(std::move(observer)); }

  private:
    bool running_ = false;
    ChangeSignal changed_;
};

}  // namespace galemend
