#!/usr/bin/env python3
"""Lists string literals with German letters (ä ö ü ß …) in the given sources that no marking
keyword (Tr, TrC, TrNoop, CoreTr, CoreTrF) encloses: texts someone forgot to mark. Comments and
lines ending in `// not translated: <why>` are skipped. Exit status 1 when it finds any."""
import re
import sys

GERMAN = re.compile('[äöüÄÖÜß]')
MARK = re.compile(r'\b(Tr|TrC|TrNoop|CoreTr|CoreTrF)\s*\($')
LITERAL = re.compile(r'"(?:[^"\\\n]|\\.)*"')


def strip_comments(text):
    # Keeps string literals and line structure; blanks out // and /* */ comments.
    out, i, n = [], 0, len(text)
    while i < n:
        if text.startswith('//', i):
            j = text.find('\n', i)
            j = n if j < 0 else j
            out.append(' ' * (j - i))
            i = j
        elif text.startswith('/*', i):
            j = text.find('*/', i + 2)
            j = n if j < 0 else j + 2
            out.append(re.sub(r'[^\n]', ' ', text[i:j]))
            i = j
        elif text[i] == '"' or text[i] == "'":
            q = text[i]
            j = i + 1
            while j < n and text[j] != q:
                j += 2 if text[j] == '\\' else 1
            out.append(text[i:j + 1])
            i = j + 1
        else:
            out.append(text[i])
            i += 1
    return ''.join(out)


def enclosing_call(code, pos):
    # The text before the literal's argument list opens: skips earlier literals of the same
    # argument (adjacent literals are one string) and an open parenthesis.
    depth, i = 0, pos - 1
    while i >= 0:
        c = code[i]
        if c == ')':
            depth += 1
        elif c == '(':
            if depth == 0:
                return code[max(0, i - 20):i + 1]
            depth -= 1
        elif c in ';{}':
            return ''
        i -= 1
    return ''


found = 0
for path in sys.argv[1:]:
    raw = open(path, encoding='utf-8').read()
    code = strip_comments(raw)
    lines = raw.split('\n')
    for m in LITERAL.finditer(code):
        if not GERMAN.search(m.group()):
            continue
        line = code.count('\n', 0, m.start())
        if 'not translated:' in lines[line]:
            continue
        if MARK.search(enclosing_call(code, m.start())):
            continue
        print(f'{path}:{line + 1}: unmarked text {m.group()}')
        found += 1
sys.exit(1 if found else 0)
