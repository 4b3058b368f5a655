#pragma once

#include <functional>
#include <utility>
#include <vector>

namespace galemend {

// The observers of one model, told after the model has changed.
class ChangeSignal {
  public:
    void Connect(std::function<void()> observer) { observers_.push_back(std::move(observer)); }

    void Notify() const {
        for (const auto& observer : observers_) {
            observer();
        }
    }

  private:
    std::vector<std::function<void()>> observers_;
};

}  // namespace galemend
