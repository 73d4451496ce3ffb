#include "platform/program_launcher.h"

namespace kvx::platform {

std::vector<std::string> splitParameters(std::string_view text) {
    std::vector<std::string> arguments;
    std::string current;
    bool inArgument = false;  // tells an empty "" argument from no argument
    bool quoted = false;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '\\') {
            std::size_t end = i;
            while (end < text.size() && text[end] == '\\') ++end;
            const std::size_t count = end - i;
            inArgument = true;
            if (end < text.size() && text[end] == '"') {
                current.append(count / 2, '\\');
                if (count % 2 == 1) {
                    current += '"';  // an escaped quote
                    i = end + 1;
                } else {
                    i = end;  // the quote groups; handled on the next turn
                }
            } else {
                current.append(count, '\\');
                i = end;
            }
        } else if (c == '"') {
            quoted = !quoted;
            inArgument = true;
            ++i;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (inArgument) arguments.push_back(std::move(current));
            current.clear();
            inArgument = false;
            ++i;
        } else {
            current += c;
            inArgument = true;
            ++i;
        }
    }
    if (inArgument) arguments.push_back(std::move(current));
    return arguments;
}

}  // namespace kvx::platform
