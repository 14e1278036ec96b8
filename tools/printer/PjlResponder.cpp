#include "PjlResponder.h"

#include <algorithm>
#include <cctype>

namespace plintor::printer {

namespace {

std::string Upper(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

}

CPjlResponder::CPjlResponder(const PrinterOptions& printerOptions) : options(printerOptions)
{
    variables = [this](const std::string& name) -> std::optional<std::string> {
        auto found = options.variables.find(name);
        if (found == options.variables.end())
            return std::nullopt;
        return found->second;
    };
    AddCommand("@PJL INFO ", [](const PjlLine& line, const std::vector<PjlLine>&) {
        return Block(line, {"?"});
    });
    AddCommand("@PJL INFO ID", [this](const PjlLine& line, const std::vector<PjlLine>&) {
        return Block(line, {options.id});
    });
    AddCommand("@PJL INFO IWAOPTIONS", [this](const PjlLine& line, const std::vector<PjlLine>&) {
        return Block(line, options.options);
    });
    AddCommand("@PJL INFO IWASETUP", [this](const PjlLine& line, const std::vector<PjlLine>&) {
        return Block(line, {options.setupEnabled ? "SETUP=ENABLE" : "SETUP=DISABLE"});
    });
    auto inquire = [this](const PjlLine& line, const std::vector<PjlLine>&) {
        auto value = variables(VariableName(line.text));
        return Block(line, {value ? *value : std::string("?")});
    };
    AddCommand("@PJL DINQUIRE ", inquire);
    AddCommand("@PJL INQUIRE ", inquire);
    AddCommand("@PJL ECHO", [](const PjlLine& line, const std::vector<PjlLine>&) {
        return line.raw + "\x0c";
    });
}

void CPjlResponder::AddCommand(std::string prefix, CommandHandler handler)
{
    commands.push_back(Command{Upper(prefix), std::move(handler)});
}

void CPjlResponder::SetVariableSource(VariableSource source)
{
    variables = std::move(source);
}

void CPjlResponder::AddJobObserver(JobObserver observer)
{
    observers.push_back(std::move(observer));
}

std::string CPjlResponder::VariableName(const std::string& text)
{
    std::string upper = Upper(text);
    for (std::string_view verb : {"@PJL DINQUIRE ", "@PJL INQUIRE "}) {
        if (upper.starts_with(verb)) {
            std::string name = text.substr(verb.size());
            auto first = name.find_first_not_of(' ');
            auto last = name.find_last_not_of(' ');
            return first == std::string::npos ? std::string() : name.substr(first, last - first + 1);
        }
    }
    return {};
}

std::vector<PjlLine> CPjlResponder::SplitLines(std::string_view job)
{
    std::vector<PjlLine> lines;
    while (!job.empty()) {
        auto newline = job.find('\n');
        std::size_t length = newline == std::string_view::npos ? job.size() : newline + 1;
        PjlLine line;
        line.raw.assign(job.substr(0, length));
        line.text = line.raw;
        while (!line.text.empty() && (line.text.back() == '\n' || line.text.back() == '\r'))
            line.text.pop_back();
        lines.push_back(std::move(line));
        job.remove_prefix(length);
    }
    return lines;
}

std::string CPjlResponder::Block(const PjlLine& line, const std::vector<std::string>& values)
{
    std::string block = line.raw;
    if (block.empty() || block.back() != '\n')
        block += "\r\n";
    for (const auto& value : values)
        block += value + "\r\n";
    block += '\x0c';
    return block;
}

std::string CPjlResponder::Answer(const std::string& job)
{
    auto lines = SplitLines(job);
    std::string answer;
    for (const auto& line : lines) {
        std::string upper = Upper(line.text);
        const Command* best = nullptr;
        for (const auto& command : commands)
            if (upper.starts_with(command.prefix) && (!best || command.prefix.size() >= best->prefix.size()))
                best = &command;
        if (best)
            answer += best->handler(line, lines);
    }
    for (const auto& observer : observers)
        observer(job, lines);
    return answer;
}

}
