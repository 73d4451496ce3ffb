#include "app/harness/script.h"

#include <charconv>
#include <map>
#include <optional>

#include "app/harness/modal_answers.h"
#include "app/harness/scripted_file_dialogs.h"
#include "sensorlib/number_text.h"
#include "ui/model/controls.h"

namespace kvx::app {
namespace {

using Verb = ScriptCommand::Verb;

struct Token {
    std::string text;
    bool quoted = false;
};

// Splits a line into words and "quoted texts" (\" and \\ inside quotes); a # outside quotes ends the line.
bool tokenize(std::string_view line, std::vector<Token>& tokens, std::string& error) {
    size_t i = 0;
    while (i < line.size()) {
        char c = line[i];
        if (c == ' ' || c == '\t' || c == '\r') {
            ++i;
            continue;
        }
        if (c == '#') break;
        Token token;
        if (c == '"') {
            token.quoted = true;
            ++i;
            bool closed = false;
            while (i < line.size()) {
                char d = line[i++];
                if (d == '\\' && i < line.size() && (line[i] == '"' || line[i] == '\\')) {
                    token.text += line[i++];
                } else if (d == '"') {
                    closed = true;
                    break;
                } else {
                    token.text += d;
                }
            }
            if (!closed) {
                error = "unterminated quoted text";
                return false;
            }
        } else {
            while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r' && line[i] != '#')
                token.text += line[i++];
        }
        tokens.push_back(std::move(token));
    }
    return true;
}

std::optional<int> parseInt(const std::string& text) {
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

struct VerbInfo {
    Verb verb;
    std::vector<ui::ControlKind> kinds;  // what the target must be; empty: no control target
    const char* what;                    // words for an error message
};

const std::map<std::string, VerbInfo>& verbs() {
    using K = ui::ControlKind;
    static const std::map<std::string, VerbInfo> table = {
        {"click",
         {Verb::Click,
          {K::CheckBox, K::RadioButton, K::Button, K::MenuItem},
          "a check box, radio button, button or menu item"}},
        {"set", {Verb::Set, {K::Edit}, "an edit field"}},
        {"select", {Verb::Select, {K::ComboBox}, "a drop-down list"}},
        {"up", {Verb::Up, {K::SpinButton}, "a spin button"}},
        {"down", {Verb::Down, {K::SpinButton}, "a spin button"}},
        {"slide", {Verb::Slide, {K::TrackBar}, "a track bar"}},
        {"popup", {Verb::Popup, {}, ""}},
        {"dblclick", {Verb::DoubleClick, {K::TrayIcon}, "a tray icon"}},
        {"answer", {Verb::Answer, {}, ""}},
        {"dump", {Verb::Dump, {}, ""}},
        {"press", {Verb::Press, {K::Button}, "a button"}},
        {"release", {Verb::Release, {K::Button}, "a button"}},
    };
    return table;
}

class LineParser {
public:
    LineParser(const std::vector<Token>& tokens, const ui::WindowSet& windows) : t_(tokens), windows_(windows) {}

    std::string parse(ScriptCommand& command) {
        if (t_.size() < 3 || t_[0].text != "at") return "expected 'at SECONDS COMMAND'";
        // Times follow the scenario file's rule (sensorlib/number_text.h).
        std::string why;
        auto at = number_text::parseSecondsAsMs(t_[1].text, why);
        if (!at) return "time " + t_[1].text + " " + why;
        command.atMs = *at;
        auto it = verbs().find(t_[2].text);
        if (it == verbs().end()) return "unknown command '" + t_[2].text + "'";
        const VerbInfo& info = it->second;
        command.verb = info.verb;
        const std::string& verb = it->first;

        switch (info.verb) {
            case Verb::Popup:
                if (t_.size() != 3) return "popup takes no arguments";
                if (!windows_.find("PopupMenu1")) return "there is no tray menu PopupMenu1";
                return {};
            case Verb::Dump:
                if (t_.size() != 4) return "dump takes one file name";
                command.target = t_[3].text;
                return {};
            case Verb::Answer: return parseAnswer(command);
            default: break;
        }

        if (t_.size() < 4) return verb + " needs a control name";
        command.target = t_[3].text;
        ui::Control* control = windows_.find(command.target);
        if (!control) return "unknown control '" + command.target + "'";
        bool kindFits = false;
        for (auto kind : info.kinds) kindFits |= control->kind() == kind;
        if (!kindFits)
            return verb + " needs " + info.what + ", and '" + command.target + "' is a " +
                   ui::kindName(control->kind());

        switch (info.verb) {
            case Verb::Set:
                if (t_.size() != 5 || !t_[4].quoted) return "set needs a control name and a \"quoted text\"";
                command.text = t_[4].text;
                return {};
            case Verb::Select:
            case Verb::Slide: {
                if (t_.size() != 5) return verb + " needs a control name and a number";
                auto n = parseInt(t_[4].text);
                if (!n) return "'" + t_[4].text + "' is not a whole number";
                command.number = *n;
                return {};
            }
            default:
                if (t_.size() != 4) return verb + " takes one control name";
                return {};
        }
    }

private:
    std::string parseAnswer(ScriptCommand& command) {
        if (t_.size() != 5 && t_.size() != 7)
            return "answer needs a window, a \"button caption\" and optionally 'after SECONDS'";
        command.target = t_[3].text;
        if (!t_[4].quoted) return "the button caption must be in double quotes";
        command.text = t_[4].text;
        if (t_.size() == 7) {
            if (t_[5].text != "after") return "expected 'after SECONDS', not '" + t_[5].text + "'";
            std::string why;
            auto after = number_text::parseSecondsAsMs(t_[6].text, why);
            if (!after) return "delay " + t_[6].text + " " + why;
            command.afterMs = *after;
        }
        if (sameCaption(command.target, ModalAnswers::kMessageBox)) {
            command.target = ModalAnswers::kMessageBox;
            return {};
        }
        // The open-file dialogs take a path for their answer ("" cancels).
        if (sameCaption(command.target, ScriptedFileDialogs::kWindow)) {
            if (command.afterMs != 0) return "a file dialog is answered at once, without 'after'";
            command.target = ScriptedFileDialogs::kWindow;
            return {};
        }
        ui::Window* window = windows_.window(command.target);
        if (!window) {
            const auto* buttons = windows_.declaredButtons(command.target);
            if (!buttons) return "unknown window '" + command.target + "'";
            if (command.text.empty()) return {};
            for (const auto& caption : *buttons)
                if (sameCaption(caption, command.text)) return {};
            return "window " + command.target + " has no button \"" + command.text + "\"";
        }
        if (command.text.empty()) return {};  // let the window run out
        for (ui::Control* c : window->controls())
            if (auto* button = dynamic_cast<ui::Button*>(c); button && sameCaption(button->caption(), command.text))
                return {};
        return "window " + window->name() + " has no button \"" + command.text + "\"";
    }

    const std::vector<Token>& t_;
    const ui::WindowSet& windows_;
};

}  // namespace

LoadedScript parseScript(std::string_view text, std::string_view fileName, const ui::WindowSet& windows) {
    LoadedScript script;
    int lineNumber = 0;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        ++lineNumber;
        start = end + 1;

        std::vector<Token> tokens;
        std::string error;
        if (tokenize(line, tokens, error) && !tokens.empty()) {
            ScriptCommand command;
            command.line = lineNumber;
            error = LineParser(tokens, windows).parse(command);
            if (error.empty()) script.commands.push_back(std::move(command));
        }
        if (!error.empty()) {
            script.error = std::string(fileName) + ":" + std::to_string(lineNumber) + ": " + error;
            script.commands.clear();
            return script;
        }
        if (end == text.size()) break;
    }
    return script;
}

}  // namespace kvx::app
