#pragma once
// Answers every AfxMessageBox while it lives (OK unless told otherwise) and keeps what was shown.
// One lives at a time: it leaves the boxes unanswered when it goes.

#include "platform/MessageBox.h"

#include <functional>
#include <ostream>
#include <string>
#include <vector>

class MessageLog {
public:
    struct Message {
        std::string text;
        UINT type;
        bool operator==(const Message&) const = default;
        friend void PrintTo(const Message& message, std::ostream* out) { *out << message.text; }
    };

    MessageLog()
    {
        AfxSetMessageBoxHandler([this](const std::string& text, UINT type) {
            m_messages.push_back({text, type});
            return m_answer ? m_answer(type) : IDOK;
        });
    }
    ~MessageLog() { AfxSetMessageBoxHandler(nullptr); }
    MessageLog(const MessageLog&) = delete;
    MessageLog& operator=(const MessageLog&) = delete;

    const std::vector<Message>& Messages() const { return m_messages; }
    void Clear() { m_messages.clear(); }
    // The button that the next boxes are answered with, for every style or chosen by style.
    void Answer(int answer) { m_answer = [answer](UINT) { return answer; }; }
    void Answer(std::function<int(UINT type)> answer) { m_answer = std::move(answer); }

private:
    std::vector<Message> m_messages;
    std::function<int(UINT type)> m_answer;
};
