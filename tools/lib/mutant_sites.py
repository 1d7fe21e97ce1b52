"""Faults made mechanically from the C++ sources.

Each operator looks at the code of a CxxSource (comments and literals
blanked) and yields Mutants: a span of the text and what replaces it. The
sources are clang-formatted, so a binary operator stands between two blanks,
while template angle brackets, `->`, `<<`, `>>`, pointer declarations and
unary signs do not; that is how they are told apart.
"""

import dataclasses
import hashlib
import pathlib
import re

from cxx_source import CxxSource

# The boundary moved by one, and the direction turned; negating the whole
# comparison is the condition operator's work.
RELATIONAL = {
    "<": ["<=", ">"],
    "<=": ["<", ">="],
    ">": [">=", "<"],
    ">=": [">", "<="],
    "==": ["!="],
    "!=": ["=="],
}
ARITHMETIC = {"+": "-", "-": "+", "*": "/", "/": "*"}
COMPOUND = {"+=": "-=", "-=": "+=", "*=": "/=", "/=": "*="}

KEYWORDS = {
    "return", "if", "else", "while", "for", "do", "switch", "case", "sizeof", "throw",
    "delete", "new", "static_assert", "decltype", "alignof", "noexcept", "co_return",
    "true", "false", "nullptr", "this", "const", "auto", "void",
}
# Swapping the arguments of these changes nothing.
SYMMETRIC_CALLS = {"min", "max", "qMin", "qMax", "swap", "qSwap"}

IDENTIFIER = r"[A-Za-z_]\w*"
INTEGER_LITERAL = re.compile(r"(?<![\w.'])(0[xX][0-9a-fA-F']+|[0-9][0-9']*)([uUlL]*)(?![\w.'])")
# The `= 0` that makes a member function pure virtual.
PURE_SPECIFIER = re.compile(r"\)[\w\s]*=\s*$")
CALL_CHAIN = re.compile(
    r"(?:emit\s+)?(?:::)?" + IDENTIFIER + r"(?:\s*(?:::|\.|->)\s*" + IDENTIFIER + r")*\s*\(")


@dataclasses.dataclass
class Mutant:
    path: str          # relative to the tree's root
    kind: str          # the operator: rel, arith, literal, negate, drop, swap
    start: int         # text[start:end] is replaced
    end: int
    replacement: str
    id: str = ""
    line: int = 0
    before: str = ""   # the mutated lines, before and after, on one line each
    after: str = ""

    def apply(self, text):
        return text[:self.start] + self.replacement + text[self.end:]

    def diff(self):
        return f"{self.path}:{self.line}: {self.before}  =>  {self.after}"


def source_files(root, folders):
    """The .cpp and .h files under the folders, at any depth, in a fixed order."""
    root = pathlib.Path(root)
    files = []
    for folder in folders:
        files += [p for p in (root / folder).rglob("*") if p.suffix in (".cpp", ".h") and p.is_file()]
    return sorted(p.relative_to(root).as_posix() for p in files)


def mutants_of_tree(root, folders):
    mutants = []
    for path in source_files(root, folders):
        text = (pathlib.Path(root) / path).read_text(encoding="utf-8")
        mutants += mutants_of_file(path, text)
    return mutants


def mutants_of_file(path, text):
    source = CxxSource(path, text)
    found = []
    for operator in (relational, arithmetic, integer_literals, negated_conditions,
                     dropped_calls, swapped_arguments):
        found += [m for m in operator(source) if source.mutable(m.start, m.end)]
    found.sort(key=lambda m: (m.start, m.end, m.kind, m.replacement))
    _describe(source, found)
    return found


def _spaced_operators(source, operators):
    """Operators with a blank on either side, longest spellings first."""
    alternatives = "|".join(re.escape(op) for op in sorted(operators, key=len, reverse=True))
    return re.finditer(r"(?<=\s)(" + alternatives + r")(?=\s)", source.code)


def relational(source):
    for match in _spaced_operators(source, RELATIONAL):
        for replacement in RELATIONAL[match.group(1)]:
            yield Mutant(source.path, "rel", match.start(), match.end(), replacement)


def arithmetic(source):
    for match in _spaced_operators(source, {**ARITHMETIC, **COMPOUND}):
        op = match.group(1)
        # `"text" + more` builds a string; no other operator would build.
        neighbours = source.code[max(0, match.start() - 2):match.end() + 2]
        if op in ("+", "+=") and '"' in neighbours:
            continue
        replacement = ARITHMETIC.get(op) or COMPOUND[op]
        yield Mutant(source.path, "arith", match.start(), match.end(), replacement)


def integer_literals(source):
    for match in INTEGER_LITERAL.finditer(source.code):
        if PURE_SPECIFIER.search(source.code[:match.start()]) and match.group(0) == "0":
            continue
        digits, suffix = match.group(1).replace("'", ""), match.group(2)
        value = int(digits, 16) if digits[:2] in ("0x", "0X") else int(digits, 10)
        for changed in (value + 1, value - 1):
            if changed < 0:
                if "u" in suffix.lower():
                    continue
                text = f"({changed}{suffix})"
            elif digits[:2] in ("0x", "0X"):
                upper = any(c in "ABCDEF" for c in digits[2:])
                text = digits[:2] + (f"{changed:X}" if upper else f"{changed:x}") + suffix
            else:
                text = f"{changed}{suffix}"
            yield Mutant(source.path, "literal", match.start(), match.end(), text)


def negated_conditions(source):
    code = source.code
    # The condition of if, while and for.
    for match in re.finditer(r"\b(if|while|for)\s*\(", code):
        if re.match(r"\s*constexpr\b", code[match.end():]):
            continue
        opener = match.end() - 1
        closer = source.matching(opener)
        if closer < 0:
            continue
        if match.group(1) == "for":
            parts = source.top_level_parts(opener + 1, closer, ";")
            if len(parts) != 3:
                continue  # a range for has no condition
            start, end = _trimmed(code, *parts[1])
        else:
            start, end = _trimmed(code, opener + 1, closer)
        if start < end:
            yield _negation(source, start, end)
    # The condition of a ternary: back from `?` to the bracket, `=`,
    # `return` or `,` that opens the expression.
    for match in re.finditer(r"(?<=\s)\?(?=\s)", code):
        start = _expression_start(source, match.start())
        start, end = _trimmed(code, start, match.start())
        if start < end:
            yield _negation(source, start, end)
    # `return expression;` where the expression is recognisably a truth
    # value: a comparison or a logical operator at its top level, or the
    # function returns bool.
    bool_bodies = _bool_function_bodies(source)
    for match in re.finditer(r"\breturn\s+", code):
        end = code.find(";", match.end())
        if end < 0 or not source.in_statement_block(match.start()):
            continue
        start, end = _trimmed(code, match.end(), end)
        expression = code[start:end]
        if expression in ("true", "false"):
            yield Mutant(source.path, "negate", start, end, "false" if expression == "true" else "true")
        elif _looks_boolean(source, start, end) or any(a < start < b for a, b in bool_bodies):
            if "?" in expression or "[" in expression.split("(")[0]:
                continue
            yield _negation(source, start, end)


def _negation(source, start, end):
    return Mutant(source.path, "negate", start, end, "!(" + source.text[start:end] + ")")


def _trimmed(code, start, end):
    while start < end and code[start].isspace():
        start += 1
    while end > start and code[end - 1].isspace():
        end -= 1
    return start, end


def _expression_start(source, question):
    code = source.code
    depth = 0
    i = question - 1
    while i >= 0:
        c = code[i]
        if c in ")]}":
            depth += 1
        elif c in "([{":
            if depth == 0:
                return i + 1
            depth -= 1
        elif depth == 0:
            if c == "," or c == ";":
                return i + 1
            if c == "=" and code[i - 1] not in "=!<>" and code[i + 1] != "=":
                return i + 1
            if code.startswith("return", i) and not re.match(r"\w", code[i - 1]):
                return i + len("return")
        i -= 1
    return 0


def _looks_boolean(source, start, end):
    """A comparison or a logical operator at the expression's top level."""
    code = source.code
    if code[start] == "!" and code[start + 1] != "=":
        return True
    depth = 0
    for i in range(start, end):
        c = code[i]
        if c in "([{":
            depth += 1
        elif c in ")]}":
            depth -= 1
        elif depth == 0:
            if code.startswith(("&&", "||"), i):
                return True
            if re.match(r"\s(==|!=|<=|>=|<|>)\s", code[i - 1:i + 4]):
                return True
    return False


def _bool_function_bodies(source):
    """Bodies of functions declared to return bool."""
    code = source.code
    bodies = []
    pattern = r"(?m)^\s*(?:(?:static|inline|virtual|constexpr|friend)\s+)*bool\s+[\w:]+\s*\("
    for match in re.finditer(pattern, code):
        closer = source.matching(match.end() - 1)
        if closer < 0:
            continue
        after = re.match(r"[\w\s]*(?:override|const|noexcept|final|\s)*\{", code[closer + 1:])
        if not after:
            continue
        opener = closer + after.end()
        body_end = source.matching(opener)
        if body_end > 0:
            bodies.append((opener, body_end))
    return bodies


def dropped_calls(source):
    """A whole statement that is a call, `call(...);`, becomes `{}`."""
    code = source.code
    for match in CALL_CHAIN.finditer(code):
        start = match.start()
        if start > 0 and (code[start - 1].isalnum() or code[start - 1] in "_:.>"):
            continue
        previous = code[:start].rstrip()
        if not previous or previous[-1] not in ";{})" and not previous.endswith("else"):
            continue
        if previous[-1] == ")" and not _closes_control_head(source, len(previous) - 1):
            continue
        name = re.match(r"(?:emit\s+)?(?:::)?(" + IDENTIFIER + ")", code[start:]).group(1)
        last_name = re.findall(IDENTIFIER, match.group(0))[-1]
        if name in KEYWORDS or _is_macro(last_name) or not source.in_statement_block(start):
            continue
        closer = source.matching(match.end() - 1)
        if closer < 0:
            continue
        semicolon = re.match(r"\s*;", code[closer + 1:])
        if semicolon:
            yield Mutant(source.path, "drop", start, closer + 1 + semicolon.end(), "{}")


def _closes_control_head(source, closer):
    """True when the `)` at `closer` ends the head of if, while or for."""
    opener = source.enclosing[closer]
    if opener < 0 or source.code[opener] != "(":
        return False
    return bool(re.search(r"\b(if|while|for)\s*$", source.code[:opener]))


def _is_macro(name):
    return name.isupper() or re.fullmatch(r"[A-Z][A-Z0-9_]*", name) is not None


def swapped_arguments(source):
    """Two neighbouring arguments of a call that are both integer literals,
    both string literals or both plain names trade places."""
    code = source.code
    for match in re.finditer(IDENTIFIER + r"\s*\(", code):
        name = re.match(IDENTIFIER, match.group(0)).group(0)
        if name in KEYWORDS or name in SYMMETRIC_CALLS or _is_macro(name):
            continue
        if not source.in_statement_block(match.start()) and source.enclosing[match.start()] < 0:
            continue
        opener = match.end() - 1
        closer = source.matching(opener)
        if closer < 0:
            continue
        arguments = [_trimmed(code, a, b) for a, b in source.top_level_parts(opener + 1, closer, ",")]
        for (a_start, a_end), (b_start, b_end) in zip(arguments, arguments[1:]):
            first, second = source.text[a_start:a_end], source.text[b_start:b_end]
            if first == second or _argument_class(first) is None:
                continue
            if _argument_class(first) == _argument_class(second):
                yield Mutant(source.path, "swap", a_start, b_end,
                             second + source.text[a_end:b_start] + first)


def _argument_class(argument):
    if re.fullmatch(r"-?(0[xX][0-9a-fA-F']+|[0-9][0-9']*)[uUlL]*", argument):
        return "integer"
    if re.fullmatch(r'"(?:[^"\\]|\\.)*"', argument):
        return "string"
    if re.fullmatch(IDENTIFIER, argument) and argument not in KEYWORDS:
        return "name"
    return None


def _describe(source, mutants):
    """Line, one-line before/after, and an id made of the file's name, the
    operator, the mutated lines' text, the change and its occurrence among
    equal ones in the file: it survives edits elsewhere and moves of the file."""
    seen = {}
    name = pathlib.PurePosixPath(source.path).name
    for m in mutants:
        first, last = source.line_span(m.start, m.end)
        mutated = m.apply(source.text)
        m.line = source.line_number(m.start)
        m.before = " ".join(source.text[first:last].split())
        m.after = " ".join(mutated[first:last + len(m.replacement) - (m.end - m.start)].split())
        key = "|".join([name, m.kind, m.before, source.text[m.start:m.end], m.replacement])
        occurrence = seen.get(key, 0)
        seen[key] = occurrence + 1
        digest = hashlib.sha1(f"{key}|{occurrence}".encode()).hexdigest()[:8]
        m.id = f"{name}:{m.kind}:{digest}"
