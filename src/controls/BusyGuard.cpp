#include "controls/BusyGuard.h"

namespace galemend {

Busy::Scope::~Scope() {
    if (busy_ != nullptr) {
        busy_->running_ = false;
        busy_->changed_.Notify();
    }
}

std::optional<Busy::Scope> Busy::TryStart() {
    if (running_) {
        return std::nullopt;
    }
    running_ = true;
    changed_.Notify();
    return Scope(*this);
}

}  // namespace galemend
