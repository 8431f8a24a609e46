// Helpers shared by the graphics tests.
#pragma once

#include <string>
#include <vector>

#include "core/message_box.h"

// Records every message box while alive and answers with `answer`.
class MessageRecorder {
public:
    struct Box {
        std::string text, title;
        MsgBoxStyle style;
    };
    explicit MessageRecorder(MsgBoxResult answer = MsgBoxResult::Ok) {
        previous_ = SetMessageBoxHandler([this, answer](std::string_view text, std::string_view title, MsgBoxStyle s) {
            boxes.push_back({std::string(text), std::string(title), s});
            return answer;
        });
    }
    ~MessageRecorder() { SetMessageBoxHandler(previous_); }
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    std::vector<Box> boxes;

private:
    MessageBoxHandler previous_;
};
