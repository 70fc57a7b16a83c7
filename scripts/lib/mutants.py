"""Finds the mutants of C++ sources: a small lexer, the mutation operators, stable identities and the
seeded draw. Used by mutate_run.py; `python3 mutants.py FILE...` lists every candidate (for checking
the operators by eye).

The lexer knows only what the operators need. It relies on the code's formatting: a binary operator has
white space on both sides (`a < b`), a template bracket or a unary operator does not (`std::array<int, 4>`,
`-x`), which tells comparisons from template brackets without parsing C++.
"""
import bisect
import hashlib
import re
import sys
from dataclasses import dataclass

PUNCTS = sorted("""
>>= <<= <=> ->* ... :: -> ++ -- << >> <= >= == != && || += -= *= /= %= &= |= ^= .*
{ } [ ] ( ) ; : , . ? ~ ! + - * / % ^ & | = < > #
""".split(), key=len, reverse=True)
STRING_PREFIX = re.compile(r'(?:u8|u|U|L)?R?(?=["\'])')
RAW_STRING = re.compile(r'(?:u8|u|U|L)?R"([^(\s]{0,16})\(')
IDENT = re.compile(r"[A-Za-z_][A-Za-z0-9_]*")
NUMBER = re.compile(r"\.?[0-9](?:[eEpP][+-]|[0-9A-Za-z_.]|'(?=[0-9A-Za-z]))*")
INTEGER = re.compile(r"(0[xX][0-9A-Fa-f']+|0[bB][01']+|[0-9][0-9']*)([uUlLzZ]*)$")

COMPARISONS = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "=="}
ARITHMETIC = {"+": "-", "-": "+", "+=": "-=", "-=": "+=", "++": "--", "--": "++"}
LOGIC = {"&&": "||", "||": "&&"}
ASSIGNMENTS = {"=", "+=", "-=", "*=", "/=", "%=", "&=", "|=", "^=", "<<=", ">>="}
# A statement starting with one of these is no expression statement.
NOT_EXPRESSION = set("""
return if else for while do switch case default break continue goto try catch throw using typedef
namespace template static const constexpr consteval constinit auto struct class enum union extern
inline virtual friend public private protected static_assert typename unsigned signed int char bool
float double long short void explicit operator volatile thread_local mutable co_return co_await
co_yield requires concept delete new
""".split())
# A braced block after one of these holds statements (or is a lambda or function body).
BODY_OPENERS = {")", "]", "else", "do", "try", "const", "noexcept", "override", "final", "mutable",
                ";", "{", "}", ":"}
# return X; where {} is X itself, or where {} does not compile: no mutant worth a build.
RETURN_SKIP = {"{}", "false", "0", "0u", "nullptr", "std::nullopt", '""', "this", "*this", "{ }",
               "std::string()", "std::string{}"}


@dataclass
class Tok:
    kind: str   # ident, number, string, punct
    text: str
    start: int
    end: int


@dataclass
class Mutant:
    file: str     # path relative to the repository
    start: int    # byte range of the source that is replaced
    end: int
    line: int
    col: int
    op: str       # cmp, arith, logic, literal, negate, drop, return
    orig: str
    repl: str
    line_hash: str = ""
    ident: str = ""

    def describe(self):
        return f"{self.file}:{self.line}: '{short(self.orig)}' -> '{short(self.repl)}'"


def short(text, width=60):
    if len(text) <= width:
        return text
    cut = width - 3
    while cut > 0 and "\x80" <= text[cut] <= "\xbf":   # inside a UTF-8 sequence
        cut -= 1
    return text[:cut] + "..."


# Sources are read as latin-1, one character a byte, so that any encoding survives the round trip; only
# ASCII white space is white space then (a UTF-8 sequence may hold bytes that Python calls spaces).
BLANKS = " \t\r\n\f\v"


def blank(c):
    return c in BLANKS


def collapse(text):
    return " ".join(re.split(r"[ \t\r\n\f\v]+", text.strip(BLANKS)))


def lex(src):
    """Tokens of src without comments, preprocessor lines and white space; string and character
    literals are single tokens."""
    toks = []
    i, n = 0, len(src)
    line_start = True
    while i < n:
        c = src[i]
        if c == "\n":
            line_start = True
            i += 1
            continue
        if c in BLANKS:
            i += 1
            continue
        if c == "#" and line_start:
            while i < n and src[i] != "\n":
                i += 2 if src.startswith("\\\n", i) else 1
            continue
        line_start = False
        if src.startswith("//", i):
            while i < n and src[i] != "\n":
                i += 1
            continue
        if src.startswith("/*", i):
            j = src.find("*/", i + 2)
            i = n if j < 0 else j + 2
            continue
        m = RAW_STRING.match(src, i)
        if m:
            close = ")" + m.group(1) + '"'
            j = src.find(close, m.end())
            end = n if j < 0 else j + len(close)
            toks.append(Tok("string", src[i:end], i, end))
            i = end
            continue
        m = STRING_PREFIX.match(src, i)
        if m and m.end() < n:
            quote = src[m.end()]
            j = m.end() + 1
            while j < n and src[j] != quote and src[j] != "\n":
                j += 2 if src[j] == "\\" else 1
            end = min(j + 1, n)
            toks.append(Tok("string", src[i:end], i, end))
            i = end
            continue
        m = IDENT.match(src, i)
        if m:
            toks.append(Tok("ident", m.group(), i, m.end()))
            i = m.end()
            continue
        m = NUMBER.match(src, i)
        if m:
            toks.append(Tok("number", m.group(), i, m.end()))
            i = m.end()
            continue
        p = next((p for p in PUNCTS if src.startswith(p, i)), c)
        toks.append(Tok("punct", p, i, i + len(p)))
        i += len(p)
    return toks


def match_pairs(toks):
    """Index of the partner of every (, [ and { (and back); unbalanced ones have none."""
    pair, stack = {}, []
    closer = {")": "(", "]": "[", "}": "{"}
    for k, t in enumerate(toks):
        if t.kind != "punct":
            continue
        if t.text in "([{":
            stack.append(k)
        elif t.text in closer:
            while stack and toks[stack[-1]].text != closer[t.text]:
                stack.pop()
            if stack:
                o = stack.pop()
                pair[o], pair[k] = k, o
    return pair


def template_spans(src, toks):
    """Token index ranges inside template brackets: a '<' written right after a name."""
    spans = []
    for k, t in enumerate(toks):
        if t.text != "<" or k == 0 or blank(src[t.start - 1]):
            continue
        if toks[k - 1].kind != "ident" and toks[k - 1].text != ">":
            continue
        depth = 0
        for j in range(k, len(toks)):
            x = toks[j].text
            if toks[j].kind != "punct":
                continue
            if x == "<" and not blank(src[toks[j].start - 1]):
                depth += 1
            elif x in (">", ">>") and not blank(src[toks[j].start - 1]):
                depth -= len(x)
                if depth <= 0:
                    spans.append((k, j))
                    break
            elif x in (";", "{", "}"):
                break
    return spans


def code_braces(toks, pair):
    """For every token, whether it sits inside a function body (or a block nested in one)."""
    inside = [False] * len(toks)
    stack = []   # one bool per open brace: does it hold statements?
    for k, t in enumerate(toks):
        if t.text == "{" and t.kind == "punct":
            prev = toks[k - 1].text if k else ""
            body = prev in BODY_OPENERS and (prev not in (";", "{", "}", ":") or (stack and stack[-1]))
            if prev == "final" and k >= 3 and toks[k - 3].text in ("class", "struct"):
                body = False
            if not body and prev == ">":
                body = trailing_return(toks, k)
            if not body and prev == "}" and k - 1 in pair:
                # Foo::Foo() : a_(x), b_{y} {
                o = pair[k - 1]
                body = o >= 2 and toks[o - 1].kind == "ident" and toks[o - 2].text in (",", ":")
            stack.append(body)
        elif t.text == "}" and t.kind == "punct" and stack:
            stack.pop()
        inside[k] = any(stack)
    return inside


def trailing_return(toks, k):
    """Whether the '{' at k follows '-> Type' after a parameter list."""
    j = k - 1
    while j > 0 and (toks[j].kind == "ident" or toks[j].text in ("::", "<", ">", ",", "*", "&")):
        j -= 1
    return toks[j].text == "->"


def spaced(src, t):
    """A binary operator as this code writes one: white space on both sides."""
    return 0 < t.start and t.end < len(src) and blank(src[t.start - 1]) and blank(src[t.end])


class Finder:
    def __init__(self, path, src):
        self.path, self.src = path, src
        self.header = path.endswith((".h", ".hpp"))
        self.toks = lex(src)
        self.pair = match_pairs(self.toks)
        self.code = code_braces(self.toks, self.pair)
        self.skip = [False] * len(self.toks)
        for a, b in template_spans(src, self.toks):
            for j in range(a, b + 1):
                self.skip[j] = True
        for k, t in enumerate(self.toks):
            # Compile-time checks and capacity hints: a mutant there fails to build or changes nothing.
            if t.text in ("static_assert", "reserve", "Reserve") and k + 1 in self.pair:
                for j in range(k, self.pair[k + 1] + 1):
                    self.skip[j] = True
        self.line_starts = [0] + [m.end() for m in re.finditer("\n", src)]
        self.out = []

    def where(self, offset):
        line = bisect.bisect_right(self.line_starts, offset)
        return line, offset - self.line_starts[line - 1] + 1

    def add(self, op, start, end, repl):
        line, col = self.where(start)
        orig = collapse(self.src[start:end])
        self.out.append(Mutant(self.path, start, end, line, col, op, orig, repl))

    def mutable(self, k):
        """Headers are mutated only inside function bodies: elsewhere they hold declarations and
        constant tables."""
        return not self.skip[k] and (self.code[k] or not self.header)

    def find(self):
        toks = self.toks
        for k, t in enumerate(toks):
            if not self.mutable(k):
                continue
            prev = toks[k - 1].text if k else ""
            if t.kind == "punct" and prev not in ("operator", "template"):
                if t.text in COMPARISONS and spaced(self.src, t):
                    self.add("cmp", t.start, t.end, COMPARISONS[t.text])
                elif t.text in LOGIC and spaced(self.src, t):
                    self.add("logic", t.start, t.end, LOGIC[t.text])
                elif t.text in ("++", "--") and self.code[k]:
                    self.add("arith", t.start, t.end, ARITHMETIC[t.text])
                elif t.text in ARITHMETIC and spaced(self.src, t) and not self.near_string(k):
                    self.add("arith", t.start, t.end, ARITHMETIC[t.text])
            elif t.kind == "number":
                self.literal(k)
            elif t.kind == "ident" and self.code[k]:
                if t.text in ("if", "while"):
                    self.negate(k)
                elif t.text == "return":
                    self.return_default(k)
            if self.code[k] and self.statement_start(k):
                self.drop(k)
        return self.out

    def near_string(self, k):
        return any(self.toks[j].kind == "string" for j in (k - 1, k + 1) if 0 <= j < len(self.toks))

    def literal(self, k):
        t, toks = self.toks[k], self.toks
        m = INTEGER.match(t.text)
        if not m:
            return
        # T name[N] declares a size: one more or less rarely shows.
        if (k >= 3 and toks[k - 1].text == "[" and toks[k + 1].text == "]" and toks[k - 2].kind == "ident"
                and (toks[k - 3].kind == "ident" or toks[k - 3].text in (">", "*", "&"))):
            return
        digits, suffix = m.group(1).replace("'", ""), m.group(2)
        if digits[:2] in ("0x", "0X"):
            value, fmt = int(digits, 16), (lambda v: "0x%X" % v)
        elif digits[:2] in ("0b", "0B"):
            value, fmt = int(digits, 2), (lambda v: "0b" + format(v, "b"))
        elif len(digits) > 1 and digits[0] == "0":
            value, fmt = int(digits, 8), (lambda v: "0%o" % v)
        else:
            value, fmt = int(digits), str
        # Up or down by a draw of its own, so that each literal gives one mutant, not two.
        before = self.src[self.line_starts[self.where(t.start)[0] - 1]:t.start].strip(BLANKS)
        key = f"{self.path}|{before}|{t.text}"
        down = value > 0 and hashlib.sha1(key.encode()).digest()[0] & 1
        self.add("literal", t.start, t.end, fmt(value - 1 if down else value + 1) + suffix)

    def condition(self, open_k):
        """Token range (a, b) of the condition inside the parentheses opening at open_k, after an
        init-statement; None when it declares a variable."""
        close = self.pair.get(open_k)
        if close is None or close == open_k + 1:
            return None
        a, depth = open_k + 1, 0
        for j in range(open_k + 1, close):
            x = self.toks[j].text
            if x in ("(", "[", "{"):
                depth += 1
            elif x in (")", "]", "}"):
                depth -= 1
            elif depth == 0 and x == ";":
                a = j + 1
            elif depth == 0 and x in ASSIGNMENTS:
                return None
        return (a, close - 1) if a < close else None

    def negate(self, k):
        if k + 1 >= len(self.toks) or self.toks[k + 1].text != "(":
            return
        span = self.condition(k + 1)
        if span:
            a, b = self.toks[span[0]].start, self.toks[span[1]].end
            self.add("negate", a, b, "!(" + collapse(self.src[a:b]) + ")")

    def statement_end(self, k):
        """Index of the ';' ending the statement that starts at k; None when a brace comes first at
        this level (a block, a class, an initializer)."""
        depth = 0
        for j in range(k, len(self.toks)):
            x = self.toks[j]
            if x.kind != "punct":
                continue
            if x.text in ("(", "["):
                depth += 1
            elif x.text in (")", "]"):
                depth -= 1
            elif x.text == "{" and depth > 0 and j in self.pair:
                continue
            elif x.text in ("{", "}") and depth <= 0:
                return None
            elif x.text == ";" and depth <= 0:
                return j
        return None

    def return_default(self, k):
        end = self.statement_end(k + 1)
        if end is None or end == k + 1:
            return
        a, b = self.toks[k + 1].start, self.toks[end - 1].end
        if collapse(self.src[a:b]) in RETURN_SKIP:
            return
        self.add("return", a, b, "{}")

    def statement_start(self, k):
        if k == 0:
            return False
        prev = self.toks[k - 1]
        if prev.text in (";", "{", "}", "else", "do"):
            # Skip the parts of a for header.
            return not (prev.text == ";" and self.in_parens(k))
        if prev.text == ")" and prev.kind == "punct":
            o = self.pair.get(k - 1)
            return o is not None and o > 0 and self.toks[o - 1].text in ("if", "for", "while", "switch")
        if prev.text == ":":
            return self.after_label(k - 1)
        return False

    def after_label(self, colon):
        """Whether the ':' at colon ends a case or default label."""
        j = colon - 1
        while j >= 0 and self.toks[j].text not in (";", "{", "}", "?", "case", "default"):
            j -= 1
        return j >= 0 and self.toks[j].text in ("case", "default")

    def in_parens(self, k):
        depth = 0
        for j in range(k - 1, -1, -1):
            x = self.toks[j].text
            if x in (")", "]"):
                depth += 1
            elif x in ("(", "["):
                if depth == 0:
                    return True
                depth -= 1
            elif x in ("{", "}") and depth == 0:
                return False
        return False

    def drop(self, k):
        """An expression statement (a call, an assignment, an increment) is replaced by {}."""
        toks = self.toks
        t = toks[k]
        if t.kind == "ident":
            if t.text in NOT_EXPRESSION:
                return
            j = k
            while j + 2 < len(toks) and toks[j + 1].text == "::" and toks[j + 2].kind == "ident":
                j += 2
            nxt = toks[j + 1].text if j + 1 < len(toks) else ""
            if nxt not in ("(", ".", "->", "[", "++", "--", "<<") and nxt not in ASSIGNMENTS:
                return
        elif t.text not in ("++", "--", "*"):
            return
        end = self.statement_end(k)
        if end is None or self.capacity_hint(k, end):
            return
        self.add("drop", t.start, toks[end].end, "{}")

    def capacity_hint(self, k, end):
        """x.reserve(n); changes no behaviour a test could see."""
        j = next(j for j in range(k, end + 1) if self.toks[j].text in ("(", ";"))
        return (self.toks[j].text == "(" and self.pair.get(j) == end - 1
                and self.toks[j - 1].text.lower() in ("reserve", "shrink_to_fit"))


def find_mutants(path, src):
    """Every candidate of one file, each with its stable identity: the file, a hash of the source line
    it starts on (and which of the file's identical lines that is), the operator, its place among the
    same operator's candidates on that line, and the texts. Line numbers are left out, so a candidate
    keeps its identity when code above it moves."""
    mutants = Finder(path, src).find()
    mutants.sort(key=lambda m: (m.start, m.op))
    lines = src.split("\n")
    seen_lines = {}
    line_index = {}
    for number, text in enumerate(lines, 1):
        text = text.strip(BLANKS)
        line_index[number] = seen_lines.get(text, 0)
        seen_lines[text] = line_index[number] + 1
    place = {}
    for m in mutants:
        text = lines[m.line - 1].strip(BLANKS)
        m.line_hash = hashlib.sha1(text.encode()).hexdigest()[:10]
        key = (m.line, m.op)
        place[key] = place.get(key, -1) + 1
        ident = f"{m.file}|{m.line_hash}|{line_index[m.line]}|{m.op}|{place[key]}|{m.orig}|{m.repl}"
        m.ident = hashlib.sha1(ident.encode()).hexdigest()[:12]
    return mutants


def draw_order(mutants, seed):
    """The candidates in the order the seed draws them. Each one's rank is a hash of the seed and its
    identity alone, so a candidate added or removed elsewhere leaves the others' order as it was."""
    return sorted(mutants, key=lambda m: hashlib.sha256(f"{seed}|{m.ident}".encode()).digest())


def apply(src, m):
    return src[:m.start] + m.repl + src[m.end:]


if __name__ == "__main__":
    sys.stdout.reconfigure(encoding="latin-1")
    for p in sys.argv[1:]:
        with open(p, encoding="latin-1") as f:
            for mut in find_mutants(p, f.read()):
                print(f"{mut.ident} {mut.op:7} {mut.describe()}")
