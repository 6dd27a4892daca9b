#pragma once
// Answers every AfxMessageBox while it lives (OK, unless answer says otherwise)
// and keeps what was shown.

#include "platform/MessageBox.h"

#include <functional>
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
            return answer ? answer(type) : IDOK;
        });
    }
    ~MessageLog() { AfxSetMessageBoxHandler(std::move(m_previous)); }
    MessageLog(const MessageLog&) = delete;
    MessageLog& operator=(const MessageLog&) = delete;

    const std::vector<Message>& Messages() const { return m_messages; }
    void Clear() { m_messages.clear(); }

    // The button pressed on a box of the given style.
    std::function<int(UINT type)> answer;

private:
    std::vector<Message> m_messages;
    AfxMessageBoxHandler m_previous;
};
