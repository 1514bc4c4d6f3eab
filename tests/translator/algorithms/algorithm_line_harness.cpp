// One algorithm command through pass 2, and an evaluator of its line.
#include "translator/algorithms/algorithm_line_harness.h"

#include <cmath>
#include <cstdio>
#include <memory>

#include "translator/text/literal.h"

namespace vestrel::testing {

using namespace text::literals;

namespace {

std::string octal3(int n) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%03o", n);
    return buffer;
}

ParameterValue variable(unsigned family, std::string_view prefix, int n) {
    return {static_cast<TokenCode>((family << 12) | static_cast<unsigned>(n)), std::string(prefix) + octal3(n), 0};
}

}  // namespace

ParameterValue number(int value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%d.000000", value < 0 ? -value : value);
    return {0xE000, buffer, value < 0 ? '-' : '\0'};
}
ParameterValue decimal(std::string text) { return {0xE000, std::move(text), 0}; }
ParameterValue va(int n) { return variable(2, "ва"_cp, n); }
ParameterValue av(int n) { return variable(4, "ав"_cp, n); }
ParameterValue dv(int n) { return variable(3, "дв"_cp, n); }
ParameterValue switchOn() { return {0xA104, std::string("вкл"_cp), 0}; }
ParameterValue switchOff() { return {0xA105, std::string("откл"_cp), 0}; }
ParameterValue negative(ParameterValue value) {
    value.sign = '-';
    return value;
}

CommandOutcome runCommand(int octalIndex, const std::vector<ParameterValue>& parameters) {
    const std::string word = std::string("алг"_cp) + octal3(octalIndex);
    std::vector<Record> records{{0xF200, "000."},
                                {0xF300, "00 " + word},
                                {static_cast<TokenCode>(0xC000 + octalIndex), word}};
    int n = 0;
    for (const ParameterValue& p : parameters) {
        ++n;
        const std::string value = (p.sign ? std::string(1, p.sign) : std::string()) + p.text;
        records.push_back({static_cast<TokenCode>(0xC100 + n), std::to_string(n) + "=" + value});
        records.push_back({0xB03D, "="});
        if (p.sign) records.push_back({static_cast<TokenCode>(0xB000 | static_cast<unsigned char>(p.sign)), std::string(1, p.sign)});
        records.push_back({p.code, p.text});
    }
    TranslationOptions options;
    options.AddComment = false;
    options.AddProgramText = false;
    CommandOutcome outcome{runPass2(records, options), {}};
    // Slot 1: PROGRAM, declarations, END_VAR, the block-key and section-key tests, the
    // command's lines, then the end label of the section.
    const std::vector<std::string>& slot = outcome.pass2.slots[1];
    std::size_t i = 0;
    int keyTests = 0;
    while (i < slot.size() && keyTests < 2)
        if (slot[i++].find(" TEST ") != std::string::npos) ++keyTests;
    for (; i < slot.size() && slot[i] != "M0:"; ++i) outcome.lines.push_back(slot[i]);
    return outcome;
}

std::string commandLine(int octalIndex, const std::vector<ParameterValue>& parameters) {
    const CommandOutcome outcome = runCommand(octalIndex, parameters);
    return outcome.lines.size() == 1 ? outcome.lines.front() : std::string();
}

// --- Evaluator --------------------------------------------------------------------

namespace {

struct Node {
    enum class Kind { Statement, If, While } kind = Kind::Statement;
    std::string text;                         // a statement, or the WHILE register
    std::vector<Node> condition, then, otherwise;  // IF parts; WHILE body in then
};

class Parser {
public:
    explicit Parser(std::vector<std::string> statements) : m_statements(std::move(statements)) {}

    // A block up to one of the closing words; false when the structure does not balance.
    bool block(std::vector<Node>& out, std::initializer_list<std::string_view> closers, std::string& closer) {
        while (m_pos < m_statements.size()) {
            const std::string& s = m_statements[m_pos++];
            for (std::string_view c : closers)
                if (s == c) {
                    closer = s;
                    return true;
                }
            if (s == "THEN" || s == "ELSE" || s == "END_IF" || s == "END_WHILE") return false;
            Node node;
            std::string end;
            if (s == "IF") {
                node.kind = Node::Kind::If;
                if (!block(node.condition, {"THEN"}, end)) return false;
                if (!block(node.then, {"ELSE", "END_IF"}, end)) return false;
                if (end == "ELSE" && !block(node.otherwise, {"END_IF"}, end)) return false;
            } else if (s.rfind("WHILE ", 0) == 0) {
                node.kind = Node::Kind::While;
                node.text = s.substr(6);
                if (!block(node.then, {"END_WHILE"}, end)) return false;
            } else {
                node.text = s;
            }
            out.push_back(std::move(node));
        }
        closer.clear();
        return closers.size() == 0;
    }

private:
    std::vector<std::string> m_statements;
    std::size_t m_pos = 0;
};

std::vector<std::string> splitWords(const std::string& s) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && s[i] == ' ') ++i;
        const std::size_t start = i;
        while (i < s.size() && s[i] != ' ') ++i;
        if (i > start) words.push_back(s.substr(start, i - start));
    }
    return words;
}

class Machine {
public:
    explicit Machine(std::map<std::string, double> registers) : m_registers(std::move(registers)) {}

    bool run(const std::vector<Node>& nodes) {
        for (const Node& node : nodes)
            if (!step(node)) return false;
        return true;
    }
    std::map<std::string, double>& registers() { return m_registers; }

private:
    double operand(const std::string& word) {
        if (!word.empty() && (word[0] == '-' || (word[0] >= '0' && word[0] <= '9'))) return std::stod(word);
        return m_registers[word];
    }

    bool step(const Node& node) {
        switch (node.kind) {
            case Node::Kind::If:
                m_condition = false;
                if (!run(node.condition)) return false;
                return run(m_condition ? node.then : node.otherwise);
            case Node::Kind::While:
                for (int guard = 0; m_registers[node.text] != 0; ++guard) {
                    if (guard > 10000 || !run(node.then)) return false;
                }
                return true;
            case Node::Kind::Statement: return statement(splitWords(node.text));
        }
        return false;
    }

    bool statement(const std::vector<std::string>& w) {
        if (w.size() == 2) {
            double& r = m_registers[w[1]];
            if (w[0] == "!") r = r == 0 ? 1 : 0;
            else if (w[0] == "SIGN") r = r < 0 ? 1 : 0;
            else if (w[0] == "ABS") r = std::fabs(r);
            else if (w[0] == "SQRT") r = std::sqrt(r);
            else return false;
            return true;
        }
        if (w.size() != 3) return false;
        const std::string& op = w[1];
        const double b = operand(w[2]);
        // A comparison may hold a constant on its left (the zero test of a constant mantissa).
        if (op == "<" || op == ">" || op == "==") {
            const double left = operand(w[0]);
            m_condition = op == "<" ? left < b : op == ">" ? left > b : left == b;
            return true;
        }
        double& a = m_registers[w[0]];
        if (op == "=") a = b;
        else if (op == "CHGSIGN") a = -b;
        else if (op == "+") a += b;
        else if (op == "-") a -= b;
        else if (op == "*") a *= b;
        else if (op == "/") a /= b;
        else if (op == "%") a = std::fmod(a, b);
        else if (op == "|") a = static_cast<double>(static_cast<long long>(a) | static_cast<long long>(b));
        else if (op == "&") a = static_cast<double>(static_cast<long long>(a) & static_cast<long long>(b));
        else if (op == "SIGN") a = b < 0 ? 1 : 0;
        else if (op == "ABS") a = std::fabs(b);
        else return false;
        return std::isfinite(a);
    }

    std::map<std::string, double> m_registers;
    bool m_condition = false;
};

}  // namespace

std::optional<std::map<std::string, double>> evaluateLine(const std::string& line,
                                                          std::map<std::string, double> registers) {
    std::vector<std::string> statements;
    std::size_t start = line.find_first_not_of(' ');
    if (start == std::string::npos) return std::nullopt;
    for (;;) {
        const std::size_t end = line.find("; ", start);
        statements.push_back(line.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) break;
        start = end + 2;
    }
    Parser parser(std::move(statements));
    std::vector<Node> program;
    std::string closer;
    if (!parser.block(program, {}, closer)) return std::nullopt;
    Machine machine(std::move(registers));
    if (!machine.run(program)) return std::nullopt;
    return machine.registers();
}

}  // namespace vestrel::testing
