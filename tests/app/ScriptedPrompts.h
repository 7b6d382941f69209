#pragma once

#include "app/shell/FileDialogRequest.h"
#include "app/shell/UserPrompts.h"

#include <QStringList>
#include <QUrl>

#include <deque>
#include <functional>
#include <vector>

namespace notaro::app::test {

/// Prompts that a test reads and answers: every message is recorded, the save prompt and
/// the file dialogs take their answers from queues (an empty queue or "" answers Cancel), and
/// onMessage runs while a message box would be open (to look at the window at that moment).
class ScriptedPrompts : public UserPrompts {
public:
    struct Message {
        QString text;
        Icon icon;
        QString detail;
        QStringList buttons;
    };
    std::vector<Message> messages;
    std::deque<Answer> answers;
    std::deque<int> choices; ///< answers to choose(); the last button (Escape) when empty
    std::deque<QString> fileAnswers;
    std::deque<int> itemChoices;    ///< the answers of chooseItem, -1 (cancel) when none is left
    std::vector<QStringList> lists; ///< the items of each chooseItem
    std::vector<std::pair<fileDialogRequest, bool>> dialogs; ///< each request shown, and "save"
    QStringList opened;                                      ///< the addresses asked for
    int beeps = 0, questions = 0;
    std::function<void(const Message&)> onMessage = [](const Message&) {};

    void showMessage(QWidget*, const QString& text, Icon icon) override {
        onMessage(messages.emplace_back(Message{text, icon, {}, {}}));
    }
    Answer askYesNoCancel(QWidget*, const QString& text) override {
        ++questions;
        messages.push_back({text, Icon::Question, {}, {}});
        return next(answers, Answer::Cancel);
    }
    int choose(QWidget*, Icon icon, const QString& text, const QString& detail,
               const QStringList& buttons) override {
        onMessage(messages.emplace_back(Message{text, icon, detail, buttons}));
        return next(choices, static_cast<int>(buttons.size()) - 1);
    }
    bool runFileDialog(QWidget*, fileDialogRequest& request, bool save) override {
        dialogs.emplace_back(request, save);
        const QString path = next(fileAnswers, QString());
        if (!path.isEmpty())
            completeRequest(request, path);
        return !path.isEmpty();
    }
    int chooseItem(QWidget*, const QString&, const QStringList& items) override {
        lists.push_back(items);
        return next(itemChoices, -1);
    }
    void beep() override { ++beeps; }
    void openUrl(const QUrl& url) override { opened << url.toString(); }
    QStringList texts() const {
        QStringList t;
        for (const Message& m : messages)
            t << m.text;
        return t;
    }

private:
    template <class T> static T next(std::deque<T>& queue, T whenEmpty) {
        const T front = queue.empty() ? whenEmpty : queue.front();
        if (!queue.empty())
            queue.pop_front();
        return front;
    }
};

} // namespace notaro::app::test
