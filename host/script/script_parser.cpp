#include "script/script_parser.h"

namespace quillbox {

std::variant<std::vector<TScriptLine>, TScriptError> ParseScript(std::string_view text)
{
    std::vector<TScriptLine> lines;
    int number = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        ++number;
        if (line.ends_with('\r')) line.remove_suffix(1);
        TScriptLine parsed{number, {}};
        std::size_t i = 0;
        while (i < line.size()) {
            if (line[i] == ' ' || line[i] == '\t') {
                ++i;
                continue;
            }
            if (line[i] == '#') break;
            std::string word;
            if (line[i] == '"') {
                ++i;
                bool closed = false;
                while (i < line.size()) {
                    const char c = line[i++];
                    if (c == '"') {
                        closed = true;
                        break;
                    }
                    if (c != '\\' || i == line.size()) {
                        word += c;
                        continue;
                    }
                    const char e = line[i++];
                    word += e == 'n' ? '\n' : e == 't' ? '\t' : e == 'r' ? '\r' : e;
                }
                if (!closed) return TScriptError{number, "unterminated quote"};
            } else {
                while (i < line.size() && line[i] != ' ' && line[i] != '\t') word += line[i++];
            }
            parsed.words.push_back(std::move(word));
        }
        if (!parsed.words.empty()) lines.push_back(std::move(parsed));
    }
    return lines;
}

}  // namespace quillbox
