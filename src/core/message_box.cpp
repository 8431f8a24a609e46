#include "core/message_box.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <vector>

namespace {

MsgBoxResult DefaultHandler(std::string_view text, std::string_view title, MsgBoxStyle style) {
    std::fprintf(stderr, "[%.*s] %.*s\n", static_cast<int>(title.size()), title.data(),
                 static_cast<int>(text.size()), text.data());
    return style == MsgBoxStyle::YesNo ? MsgBoxResult::No : MsgBoxResult::Ok;
}

MessageBoxHandler& Handler() {
    static MessageBoxHandler handler = DefaultHandler;
    return handler;
}

std::vector<std::function<void()>>& Hooks() {
    static std::vector<std::function<void()>> hooks;
    return hooks;
}

}  // namespace

MsgBoxResult ShowMessageBox(std::string_view text, std::string_view title, MsgBoxStyle style) {
    return Handler()(text, title, style);
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
    MessageBoxHandler previous = Handler();
    Handler() = handler ? std::move(handler) : MessageBoxHandler(DefaultHandler);
    return previous;
}

void AddShutdownHook(std::function<void()> hook) { Hooks().push_back(std::move(hook)); }

void EndProgram(int exit_code) {
    // Hooks may end up here again (a failure while closing): run each once.
    static std::once_flag once;
    std::call_once(once, [] {
        auto& hooks = Hooks();
        while (!hooks.empty()) {
            auto hook = std::move(hooks.back());
            hooks.pop_back();
            hook();
        }
    });
    std::exit(exit_code);
}

void FatalError(std::string_view text, std::string_view title) {
    ShowMessageBox(text, title, MsgBoxStyle::Ok);
    EndProgram(1);
}
