#pragma once

#include "FileDialogRequest.h"
#include "UserPrompts.h"

#include <QString>
#include <QStringList>
#include <QUrl>

#include <deque>
#include <functional>
#include <vector>

namespace notaro::app::test {

/// Prompts that a test reads and answers: every message is recorded, the save prompt and
/// the file dialogs take their answers from queues (an empty queue answers Cancel), and
/// onMessage runs while a message box would be open (to look at the window at that moment).
class ScriptedPrompts : public UserPrompts {
public:
    struct Message {
        QString text;
        Icon icon;
    };

    std::vector<Message> messages;
    std::deque<Answer> answers;             ///< for askYesNoCancel
    std::deque<QString> fileAnswers;        ///< for the file dialogs; "" = cancelled
    std::vector<fileDialogRequest> dialogs; ///< every request shown, with the save flag below
    std::vector<bool> dialogWasSave;
    std::vector<QUrl> opened;
    int beeps = 0;
    int questions = 0;
    std::function<void(const Message&)> onMessage;

    void showMessage(QWidget*, const QString& text, Icon icon) override {
        messages.push_back({text, icon});
        if (onMessage)
            onMessage(messages.back());
    }
    Answer askYesNoCancel(QWidget*, const QString& text) override {
        ++questions;
        messages.push_back({text, Icon::Question});
        if (answers.empty())
            return Answer::Cancel;
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    bool runFileDialog(QWidget*, fileDialogRequest& request, bool save) override {
        dialogs.push_back(request);
        dialogWasSave.push_back(save);
        if (fileAnswers.empty())
            return false;
        const QString path = fileAnswers.front();
        fileAnswers.pop_front();
        if (path.isEmpty())
            return false;
        completeRequest(request, path);
        return true;
    }
    void beep() override { ++beeps; }
    void openUrl(const QUrl& url) override { opened.push_back(url); }

    /// The texts of all messages so far.
    QStringList texts() const {
        QStringList t;
        for (const Message& m : messages)
            t << m.text;
        return t;
    }
};

} // namespace notaro::app::test
