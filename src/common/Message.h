#pragma once
// A message for the user, with the icon of its message box.

#include <string>

namespace kurvex {

enum class MessageIcon { Stop, Exclamation, Information, Question };

struct UserMessage {
    MessageIcon icon = MessageIcon::Information;
    std::string text;  // Windows-1252
};

}  // namespace kurvex
