#!/usr/bin/env python3
"""Lists the functions in src/ longer than a limit (100 lines by default) and fails if any.

A function is a brace block whose header (the text since the previous ';', '{' or '}')
holds a parameter list and is not a class, struct, enum, union or namespace. Comments,
string and character literals are blanked first, so braces inside them do not count. A
function's length runs from the first line of its header to its closing brace.

Usage: check_function_length.py SOURCE_ROOT [LIMIT] [--top N]
"""

import pathlib
import re
import sys

NOT_FUNCTIONS = re.compile(r"^\s*(template\s*<.*>\s*)?(class|struct|enum|union|namespace|extern)\b")


def blank_literals(text):
    """Comments, strings and characters become spaces; line breaks stay."""
    out = []
    i, n = 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            end = text.find("\n", i)
            end = n if end < 0 else end
            out.append(" " * (end - i))
            i = end
        elif text.startswith("/*", i):
            end = text.find("*/", i + 2)
            end = n if end < 0 else end + 2
            out.append(re.sub(r"[^\n]", " ", text[i:end]))
            i = end
        elif c == "R" and text.startswith('R"', i) and not (i and (text[i - 1].isalnum() or text[i - 1] == "_")):
            open_paren = text.find("(", i)
            delimiter = text[i + 2:open_paren]
            end = text.find(")" + delimiter + '"', open_paren)
            end = n if end < 0 else end + len(delimiter) + 2
            out.append(re.sub(r"[^\n]", " ", text[i:end]))
            i = end
        elif c in "\"'":
            j = i + 1
            while j < n and text[j] != c:
                j += 2 if text[j] == "\\" else 1
            out.append(" " * (j + 1 - i))
            i = j + 1
        else:
            out.append(c)
            i += 1
    return "".join(out)


def functions(path):
    """(name, first line, length) of each outermost function in the file."""
    text = blank_literals(path.read_text(encoding="utf-8"))
    found = []
    stack = []  # per open brace: (is_function, header text, header's first line)
    header_start = 0
    line = 1
    header_line = None
    for i, c in enumerate(text):
        if c == "\n":
            line += 1
        elif c in ";{}":
            if c == "{":
                header = text[header_start:i]
                inside_function = any(entry[0] for entry in stack)
                is_function = (
                    not inside_function
                    and "(" in header
                    and not NOT_FUNCTIONS.match(header)
                    and not re.search(r"=\s*$", header)
                )
                stack.append((is_function, header, header_line or line))
            elif c == "}" and stack:
                is_function, header, first = stack.pop()
                if is_function:
                    name = re.findall(r"([~\w:]+(?:operator\W+)?)\s*\(", header)
                    found.append((name[0] if name else header.strip()[:40], first, line - first + 1))
            header_start = i + 1
            header_line = None
        elif not c.isspace() and header_line is None:
            header_line = line
    return found


def main():
    args = [a for a in sys.argv[1:]]
    top = 0
    if "--top" in args:
        index = args.index("--top")
        top = int(args[index + 1])
        del args[index:index + 2]
    root = pathlib.Path(args[0])
    limit = int(args[1]) if len(args) > 1 else 100
    every = []
    for path in sorted((root / "src").rglob("*")):
        if path.suffix in (".cpp", ".h"):
            for name, first, length in functions(path):
                every.append((length, f"{path.relative_to(root)}:{first}", name))
    every.sort(reverse=True)
    for length, where, name in every[:top]:
        print(f"{length:5} {where} {name}")
    too_long = [entry for entry in every if entry[0] > limit]
    for length, where, name in too_long:
        print(f"{where}: {name} is {length} lines long, over {limit}", file=sys.stderr)
    return 1 if too_long else 0


if __name__ == "__main__":
    sys.exit(main())
