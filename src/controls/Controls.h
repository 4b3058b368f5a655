#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
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

// A push button of the window: fixed caption, enabled state, visibility and tool tip.
// Enabled and visible unless set otherwise.
class Button {
  public:
    explicit Button(std::string caption);

    const std::string& Caption() const { return caption_; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    const std::string& ToolTip() const { return toolTip_; }
    void SetToolTip(std::string toolTip);

    void OnChange(std::function<void()> observer) { changed_.Connect(std::move(observer)); }

  private:
    std::string caption_;
    bool enabled_ = true;
    bool visible_ = true;
    std::string toolTip_;
    ChangeSignal changed_;
};

// A label of the window: caption, visibility and tool tip.
class Label {
  public:
    explicit Label(std::string caption, bool visible = true);

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    const std::string& ToolTip() const { return toolTip_; }
    void SetToolTip(std::string toolTip);

    void OnChange(std::function<void()> observer) { changed_.Connect(std::move(observer)); }

  private:
    std::string caption_;
    bool visible_;
    std::string toolTip_;
    ChangeSignal changed_;
};

// A multi-line text box of the window. Line ends are part of the text (CR LF).
class TextBox {
  public:
    TextBox() = default;

    const std::string& Text() const { return text_; }
    void SetText(std::string text);
    // Adds to the end of the text; one notification for the whole piece.
    void AppendText(std::string_view more);

    void OnChange(std::function<void()> observer) { changed_.Connect(std::move(observer)); }

  private:
    std::string text_;
    ChangeSignal changed_;
};

}  // namespace galemend
