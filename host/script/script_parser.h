// The host's test scripts: one command per line, words separated by blanks,
// "double quotes" around words with blanks (\" \\ \n \t inside), "#" starts
// a comment outside quotes.
#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace quillbox {

struct TScriptLine {
    int number;
    std::vector<std::string> words;
};

struct TScriptError {
    int line;
    std::string message;
};

std::variant<std::vector<TScriptLine>, TScriptError> ParseScript(std::string_view text);

}  // namespace quillbox
