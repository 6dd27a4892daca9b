#pragma once
// Answers every AfxMessageBox while it lives (OK unless told otherwise) and keeps what was shown.

#include "platform/MessageBox.h"

#include <string>
#include <vector>

class MessageLog {
public:
    struct Message {
        std::string text;
        UINT type;
    };

    MessageLog()
    {
        m_previous = AfxSetMessageBoxHandler([this](const std::string& text, UINT type) {
            m_messages.push_back({text, type});
            return m_answer;
        });
    }
    ~MessageLog() { AfxSetMessageBoxHandler(std::move(m_previous)); }
    MessageLog(const MessageLog&) = delete;
    MessageLog& operator=(const MessageLog&) = delete;

    const std::vector<Message>& Messages() const { return m_messages; }
    void Clear() { m_messages.clear(); }
    // The button that the next boxes are answered with.
    void Answer(int answer) { m_answer = answer; }

private:
    std::vector<Message> m_messages;
    int m_answer = IDOK;
    AfxMessageBoxHandler m_previous;
};
