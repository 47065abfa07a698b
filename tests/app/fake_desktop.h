#pragma once

#include <QString>
#include <QUrl>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "app/desktop.h"

namespace tavrinel::app::testing {

// The desktop for tests: records every box, dialog and opened address, answers save dialogs
// from a script (setNextFileName), and closes boxes shown for workers at once unless they are
// held. Used on the user-interface thread only, like the real one.
class FakeDesktop : public Desktop {
  public:
    struct Message {
        QString text;
        collect::MessageIcon icon;
        bool blocking;  // shown by the UI thread itself, blocking the window
    };

    void showBlockingMessage(const QString& message, collect::MessageIcon icon) override {
        messages.push_back({message, icon, true});
    }

    void showMessage(const QString& message, collect::MessageIcon icon,
                     std::function<void()> closed) override {
        messages.push_back({message, icon, false});
        if (holdMessages) {
            heldMessages.push_back(std::move(closed));
        } else {
            closed();
        }
    }

    void askSavePath(const QString& presetPath,
                     std::function<void(std::optional<QString>)> chosen) override {
        savePresets.push_back(presetPath);
        std::optional<QString> answer;  // nothing scripted: the user cancels
        if (!nextFileNames.empty()) {
            answer = nextFileNames.front();
            nextFileNames.pop_front();
        }
        chosen(answer);
    }

    void openAddress(const QUrl& address) override { openedAddresses.push_back(address); }

    // The next save dialog is confirmed with path, or cancelled with nullopt.
    void setNextFileName(std::optional<QString> path) { nextFileNames.push_back(std::move(path)); }

    // Closes the boxes held so far, in the order they were shown.
    void closeHeldMessages() {
        std::vector<std::function<void()>> closing;
        closing.swap(heldMessages);
        for (auto& closed : closing) {
            closed();
        }
    }

    bool hasMessage(const QString& text) const {
        for (const Message& message : messages) {
            if (message.text == text) {
                return true;
            }
        }
        return false;
    }

    std::vector<Message> messages;
    std::vector<QString> savePresets;
    std::vector<QUrl> openedAddresses;
    bool holdMessages = false;

  private:
    std::deque<std::optional<QString>> nextFileNames;
    std::vector<std::function<void()>> heldMessages;
};

}  // namespace tavrinel::app::testing
