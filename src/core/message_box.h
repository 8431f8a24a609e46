// Message boxes and ending the program.
//
// Every subsystem that has something to tell the user goes through
// ShowMessageBox; the platform layer installs the real dialog, headless runs
// and tests install a handler that records the message and answers.
// EndProgram runs the registered shutdown hooks (audio closed, window gone,
// display restored) and then leaves the process.
#pragma once

#include <functional>
#include <string>
#include <string_view>

enum class MsgBoxStyle { Ok, OkExclamation, YesNo };
enum class MsgBoxResult { Ok, Yes, No };

using MessageBoxHandler = std::function<MsgBoxResult(std::string_view text, std::string_view title, MsgBoxStyle)>;

// The caption used when a box has no title of its own: the program's name.
inline constexpr const char* kProgramTitle = "zenit";

MsgBoxResult ShowMessageBox(std::string_view text, std::string_view title = kProgramTitle,
                            MsgBoxStyle style = MsgBoxStyle::Ok);

// Replaces the handler; returns the previous one. An empty handler restores
// the default, which writes the message to standard error and answers Ok/No.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

// Hooks run by EndProgram, last registered first.
void AddShutdownHook(std::function<void()> hook);

// Shows nothing; runs the shutdown hooks and exits with the code.
[[noreturn]] void EndProgram(int exit_code);

// Shows `text` in a box, then ends the program with exit code 1.
[[noreturn]] void FatalError(std::string_view text, std::string_view title = kProgramTitle);
