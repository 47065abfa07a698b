#pragma once

#include <atomic>
#include <utility>

namespace tavrinel::collect {

// Counts the runs of one window that have not yet left their page loop, so that the window can
// refuse a start while a stopping run would otherwise see "停止" again and carry on.
class RunActivity {
  public:
    // Held by a run from its creation until its page loop ends; move-only.
    class Token {
      public:
        Token() = default;
        explicit Token(RunActivity* activity) : activity_(activity) {}
        Token(Token&& other) noexcept : activity_(std::exchange(other.activity_, nullptr)) {}
        Token& operator=(Token&& other) noexcept {
            if (this != &other) {
                release();
                activity_ = std::exchange(other.activity_, nullptr);
            }
            return *this;
        }
        Token(const Token&) = delete;
        Token& operator=(const Token&) = delete;
        ~Token() { release(); }

        void release() {
            if (activity_ != nullptr) {
                activity_->active_.fetch_sub(1);
                activity_ = nullptr;
            }
        }

      private:
        RunActivity* activity_ = nullptr;
    };

    Token enter() {
        active_.fetch_add(1);
        return Token(this);
    }

    bool inPageLoop() const { return active_.load() > 0; }

  private:
    std::atomic<int> active_{0};
};

}  // namespace tavrinel::collect
