"""One C++ source file as the mutant generator reads it.

`code` is the text with comments blanked and the insides of string and
character literals blanked (their quotes stay), offset for offset the same as
`text`, so that a pattern found in `code` is never inside a comment or a
literal and its offsets address `text` directly. Preprocessor lines and
static_assert declarations are marked as not to be mutated.
"""

import bisect
import re

OPENERS = "([{"
CLOSERS = ")]}"

# A `{` that opens one of these holds declarations, not statements.
DECLARATION_BLOCK = re.compile(r"\b(class|struct|union|enum|namespace)\b")


class CxxSource:
    def __init__(self, path, text):
        self.path = path
        self.text = text
        self.code = _blank_comments_and_literals(text)
        self.line_starts = [0] + [m.end() for m in re.finditer("\n", text)]
        self.skipped = [False] * len(text)
        self._mark_preprocessor_lines()
        self._mark_static_asserts()
        self.enclosing = self._innermost_brackets()

    def line_number(self, offset):
        """1-based number of the line that holds `offset`."""
        return bisect.bisect_right(self.line_starts, offset)

    def line_span(self, start, end):
        """Offsets of the whole lines that hold text[start:end]."""
        first = self.line_starts[self.line_number(start) - 1]
        last = self.text.find("\n", max(end - 1, start))
        return first, len(self.text) if last < 0 else last

    def mutable(self, start, end):
        return not any(self.skipped[start:end])

    def matching(self, opener):
        """Offset of the bracket that closes the one at `opener`, or -1."""
        depth = 0
        for i in range(opener, len(self.code)):
            c = self.code[i]
            if c in OPENERS:
                depth += 1
            elif c in CLOSERS:
                depth -= 1
                if depth == 0:
                    return i
        return -1

    def in_statement_block(self, offset):
        """True when the innermost bracket around `offset` is a `{` that
        holds statements: a function's or a lambda's body or a block."""
        opener = self.enclosing[offset]
        if opener < 0 or self.code[opener] != "{":
            return False
        before = self.code[:opener]
        head_start = max(before.rfind(";"), before.rfind("{"), before.rfind("}")) + 1
        return not DECLARATION_BLOCK.search(before[head_start:])

    def top_level_parts(self, start, end, separator):
        """Spans of code[start:end] split at `separator` characters that are
        not inside brackets (nor inside template angle brackets)."""
        parts, depth, angle, part_start = [], 0, 0, start
        for i in range(start, end):
            c = self.code[i]
            if c in OPENERS:
                depth += 1
            elif c in CLOSERS:
                depth -= 1
            elif c == "<" and depth == 0 and i > 0 and re.match(r"\w", self.code[i - 1]):
                angle += 1
            elif c == ">" and depth == 0 and angle > 0 and self.code[i - 1] != "-":
                angle -= 1
            elif c == separator and depth == 0 and angle == 0:
                parts.append((part_start, i))
                part_start = i + 1
        parts.append((part_start, end))
        return parts

    def _mark_preprocessor_lines(self):
        continued = False
        for number, start in enumerate(self.line_starts):
            end = self.line_starts[number + 1] if number + 1 < len(self.line_starts) else len(self.text)
            line = self.code[start:end]
            if continued or line.lstrip().startswith("#"):
                self.skipped[start:end] = [True] * (end - start)
                continued = line.rstrip("\n").endswith("\\")

    def _mark_static_asserts(self):
        for match in re.finditer(r"\bstatic_assert\s*\(", self.code):
            close = self.matching(match.end() - 1)
            end = len(self.code) if close < 0 else close + 1
            self.skipped[match.start():end] = [True] * (end - match.start())

    def _innermost_brackets(self):
        """For each offset, the offset of the innermost open bracket, -1 at
        the top level."""
        stack, innermost = [], []
        for c in self.code:
            if c in CLOSERS and stack:
                stack.pop()
            innermost.append(stack[-1] if stack else -1)
            if c in OPENERS:
                stack.append(len(innermost) - 1)
        return innermost


def _blank_comments_and_literals(text):
    out = list(text)
    i, n = 0, len(text)

    def blank(start, end):
        for k in range(start, end):
            if out[k] != "\n":
                out[k] = " "

    while i < n:
        c = text[i]
        if text.startswith("//", i):
            end = text.find("\n", i)
            end = n if end < 0 else end
            blank(i, end)
            i = end
        elif text.startswith("/*", i):
            end = text.find("*/", i + 2)
            end = n if end < 0 else end + 2
            blank(i, end)
            i = end
        elif c == "R" and text.startswith('R"', i) and not _identifier_before(text, i):
            delimiter_end = text.find("(", i + 2)
            closing = ")" + text[i + 2:delimiter_end] + '"'
            end = text.find(closing, delimiter_end)
            end = n if end < 0 else end + len(closing)
            blank(i + 2, end - 1)
            i = end
        elif c in "\"'":
            if c == "'" and _digit_separator(text, i):
                i += 1
                continue
            k = i + 1
            while k < n and text[k] != c and text[k] != "\n":
                k += 2 if text[k] == "\\" else 1
            blank(i + 1, k)
            i = k + 1
        else:
            i += 1
    return "".join(out)


def _identifier_before(text, i):
    return i > 0 and (text[i - 1].isalnum() or text[i - 1] == "_")


def _digit_separator(text, i):
    """A `'` between two digits of a number literal (1'000'000)."""
    if i == 0 or i + 1 >= len(text) or not text[i + 1].isalnum():
        return False
    start = i
    while start > 0 and (text[start - 1].isalnum() or text[start - 1] in "_'"):
        start -= 1
    return text[start].isdigit()
