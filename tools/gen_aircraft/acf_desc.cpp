// acf_desc.cpp -- the aircraft description reader: tokens, statements and directive grammar.
#include "acf_desc.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

enum TokKind { TOK_WORD, TOK_NUMBER, TOK_TEXT, TOK_LBRACK, TOK_RBRACK, TOK_EQUALS, TOK_ARROW };

struct Token {
    TokKind kind;
    std::string text;   // the word, the number as written, or the quoted text without quotes
    double num = 0.0;
};

// What a directive takes: its word and its argument kinds ('n' number, 'i' whole number,
// 't' text, '>' the arrow).
struct DirectiveGrammar {
    const char* word;
    const char* args;
};

const DirectiveGrammar k_directives[] = {
    {"output", "t"},
    {"mirror", "i>i"},
    {"copy_body", "i>i"},
    {"section", "iinnnn"},
    {"design_prop", "i"},
};

std::string where(const std::string& file, int line)
{
    return file + ":" + std::to_string(line) + ": ";
}

bool is_word_start(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool is_word_char(char c) { return is_word_start(c) || (c >= '0' && c <= '9'); }

// Splits one line into tokens; stops at a comment. Returns false with *what set on a bad token.
bool tokenize(const std::string& line, std::vector<Token>* toks, std::string* what)
{
    size_t i = 0;
    const size_t n = line.size();
    while (i < n) {
        char c = line[i];
        if (c == ' ' || c == '\t' || c == '\r') {
            i++;
        } else if (c == '#') {
            break;
        } else if (c == '"') {
            size_t end = line.find('"', i + 1);
            if (end == std::string::npos) {
                *what = "quoted text is not closed";
                return false;
            }
            toks->push_back({TOK_TEXT, line.substr(i + 1, end - i - 1)});
            i = end + 1;
        } else if (c == '[') {
            toks->push_back({TOK_LBRACK, "["});
            i++;
        } else if (c == ']') {
            toks->push_back({TOK_RBRACK, "]"});
            i++;
        } else if (c == '=') {
            toks->push_back({TOK_EQUALS, "="});
            i++;
        } else if (c == '-' && i + 1 < n && line[i + 1] == '>') {
            toks->push_back({TOK_ARROW, "->"});
            i += 2;
        } else if (is_word_start(c)) {
            size_t s = i;
            while (i < n && is_word_char(line[i])) i++;
            toks->push_back({TOK_WORD, line.substr(s, i - s)});
        } else {
            // A number: everything up to the next separator must convert completely.
            size_t s = i;
            while (i < n && line[i] != ' ' && line[i] != '\t' && line[i] != '\r' && line[i] != '#' &&
                   line[i] != ']' && line[i] != '[' && line[i] != '=' && line[i] != '"')
                i++;
            std::string word = line.substr(s, i - s);
            errno = 0;
            char* endp = nullptr;
            double v = std::strtod(word.c_str(), &endp);
            if (word.empty() || *endp != '\0' || errno == ERANGE || !std::isfinite(v)) {
                *what = "\"" + word + "\" is not a number";
                return false;
            }
            Token t{TOK_NUMBER, word};
            t.num = v;
            toks->push_back(t);
        }
    }
    return true;
}

bool whole(double v) { return std::fabs(v) < 1e9 && v == std::floor(v); }

// A field assignment: NAME ([int])* = value+.
bool parse_field(const std::vector<Token>& t, DescStatement* st, std::string* what)
{
    size_t k = 1;
    while (k < t.size() && t[k].kind == TOK_LBRACK) {
        if (k + 2 >= t.size() || t[k + 1].kind != TOK_NUMBER || t[k + 2].kind != TOK_RBRACK) {
            *what = st->word + ": an index must be a whole number in brackets";
            return false;
        }
        double v = t[k + 1].num;
        if (!whole(v) || v < 0) {
            *what = st->word + ": index " + t[k + 1].text + " is not a whole number of 0 or more";
            return false;
        }
        st->index.push_back(static_cast<int>(v));
        k += 3;
    }
    if (k >= t.size() || t[k].kind != TOK_EQUALS) {
        *what = st->word + ": \"=\" expected after the field name";
        return false;
    }
    k++;
    if (k >= t.size()) {
        *what = st->word + ": no value after \"=\"";
        return false;
    }
    for (; k < t.size(); k++) {
        DescValue v;
        if (t[k].kind == TOK_NUMBER) {
            v.num = t[k].num;
        } else if (t[k].kind == TOK_TEXT) {
            v.is_text = true;
            v.text = t[k].text;
        } else {
            *what = st->word + ": unexpected \"" + t[k].text + "\" among the values";
            return false;
        }
        st->values.push_back(v);
    }
    return true;
}

bool parse_directive(const std::vector<Token>& t, const DirectiveGrammar& g, DescStatement* st,
                     std::string* what)
{
    st->is_directive = true;
    size_t k = 1;
    for (const char* a = g.args; *a; a++, k++) {
        if (k >= t.size()) {
            *what = st->word + ": too few arguments";
            return false;
        }
        const Token& tk = t[k];
        DescValue v;
        switch (*a) {
        case '>':
            if (tk.kind != TOK_ARROW) {
                *what = st->word + ": \"->\" expected between the two numbers";
                return false;
            }
            continue;
        case 't':
            if (tk.kind != TOK_TEXT) {
                *what = st->word + ": quoted text expected";
                return false;
            }
            v.is_text = true;
            v.text = tk.text;
            break;
        case 'i':
            if (tk.kind != TOK_NUMBER || !whole(tk.num)) {
                *what = st->word + ": \"" + tk.text + "\" is not a whole number";
                return false;
            }
            v.num = tk.num;
            break;
        default:
            if (tk.kind != TOK_NUMBER) {
                *what = st->word + ": \"" + tk.text + "\" is not a number";
                return false;
            }
            v.num = tk.num;
            break;
        }
        st->values.push_back(v);
    }
    if (k < t.size()) {
        *what = st->word + ": too many arguments";
        return false;
    }
    return true;
}

}  // namespace

bool desc_parse(const std::string& text, const std::string& file, Description* out, std::string* err)
{
    out->file = file;
    out->statements.clear();
    std::istringstream in(text);
    std::string line;
    int lineno = 0;
    while (std::getline(in, line)) {
        lineno++;
        std::vector<Token> toks;
        std::string what;
        if (!tokenize(line, &toks, &what)) {
            *err = where(file, lineno) + what;
            return false;
        }
        if (toks.empty()) continue;
        if (toks[0].kind != TOK_WORD) {
            *err = where(file, lineno) + "a statement starts with a field name or a directive, not \"" +
                   toks[0].text + "\"";
            return false;
        }
        DescStatement st;
        st.line = lineno;
        st.word = toks[0].text;
        bool is_assignment = toks.size() > 1 && (toks[1].kind == TOK_EQUALS || toks[1].kind == TOK_LBRACK);
        bool ok;
        if (is_assignment) {
            ok = parse_field(toks, &st, &what);
        } else {
            const DirectiveGrammar* g = nullptr;
            for (const auto& d : k_directives)
                if (st.word == d.word) g = &d;
            if (!g) {
                *err = where(file, lineno) + st.word + ": not a directive, and no \"=\" follows it";
                return false;
            }
            ok = parse_directive(toks, *g, &st, &what);
        }
        if (!ok) {
            *err = where(file, lineno) + what;
            return false;
        }
        out->statements.push_back(st);
    }
    return true;
}

bool desc_read_file(const std::string& path, Description* out, std::string* err)
{
    std::ifstream f(path, std::ios::binary);
    if (!f) {
        *err = path + ": cannot be read";
        return false;
    }
    std::ostringstream ss;
    ss << f.rdbuf();
    return desc_parse(ss.str(), path, out, err);
}
