#!/usr/bin/env python3
"""Checks that docs/ARCHITECTURE.md's arrows are the modules' real ones.

The arrows list (the first fenced block under "## Modules and arrows") names,
for each folder under src/, the modules and libraries it uses:

    view    -> drawing, geometry, tables, datum, base, PROJ    (no Qt)

An indented line continues the line above it. A closing "(no Qt)" or "(no Qt
Widgets)" is a promise the check keeps too. These must agree with the list, or
the check fails and says where:
- the modules: every folder under src/ with a CMakeLists.txt has a line, and
  every line names such a folder;
- the link lines: the modules and libraries a module's CMakeLists.txt links
  (orvelle_module's DEPS and any target_link_libraries of it) are exactly the
  ones its line names;
- the includes: a module's sources include headers only of itself and of the
  modules its line names;
- the promises: a module marked "(no Qt)" links no Qt library, one marked
  "(no Qt Widgets)" not Qt Widgets.

Usage: scripts/check-architecture.py [SOURCE_ROOT]
"""
import pathlib
import re
import sys

# CMake's names of the libraries, as the arrows list writes them. A library
# that is missing here fails the check until it is named.
LIBRARIES = {
    "GDAL::GDAL": "GDAL",
    "OpenSSL::Crypto": "OpenSSL",
    "PkgConfig::PROJ": "PROJ",
    "PkgConfig::LHASA": "lhasa",
    "Boost::boost": "Boost.Graph",
    "SQLite::SQLite3": "SQLite",
    "Qt6::Core": "Qt Core",
    "Qt6::Gui": "Qt Gui",
    "Qt6::Widgets": "Qt Widgets",
    "Qt6::Svg": "Qt Svg",
    "Qt6::PrintSupport": "Qt PrintSupport",
    "Threads::Threads": None,  # the C library's threads: not an arrow
}
KEYWORDS = {"PUBLIC", "PRIVATE", "INTERFACE"}
ARROW_LINE = re.compile(r"^(?P<names>[a-z_][a-z_ ]*?)\s*->\s*(?P<uses>[^(]*?)\s*(\((?P<note>.*)\))?\s*$")
INCLUDE = re.compile(r'^\s*#\s*include\s*"(?P<module>[a-z_]+)/', re.MULTILINE)


def documented_arrows(doc_text):
    """{module: set of names} and {module: note} from the arrows block; raises on a malformed line."""
    section = doc_text.split("## Modules and arrows", 1)
    if len(section) < 2:
        raise SystemExit("docs/ARCHITECTURE.md: no section '## Modules and arrows'")
    block = re.search(r"```\n(.*?)```", section[1], re.DOTALL)
    if not block:
        raise SystemExit("docs/ARCHITECTURE.md: no arrows block under '## Modules and arrows'")
    arrows, notes = {}, {}
    lines = []
    for line in block.group(1).splitlines():
        if line[:1].isspace() and line.strip() and lines:
            lines[-1] += " " + line.strip()  # a long line continued, indented
        elif line.strip():
            lines.append(line)
    for line in lines:
        m = ARROW_LINE.match(line)
        if not m:
            raise SystemExit(f"docs/ARCHITECTURE.md: not an arrow line: {line!r}")
        uses = m.group("uses").strip()
        names = set() if uses in ("", "(nothing)") else {u.strip() for u in uses.split(",")}
        for module in m.group("names").split():
            if module in arrows:
                raise SystemExit(f"docs/ARCHITECTURE.md: {module} has two arrow lines")
            arrows[module] = names
            notes[module] = m.group("note") or ""
    return arrows, notes


def cmake_call_arguments(text, command, first_argument_pattern):
    """The argument lists of every call of `command` whose first argument matches."""
    text = re.sub(r"#[^\n]*", "", text)
    calls = []
    for m in re.finditer(rf"\b{command}\s*\(", text):
        depth, i = 1, m.end()
        while depth and i < len(text):
            depth += {"(": 1, ")": -1}.get(text[i], 0)
            i += 1
        arguments = text[m.end():i - 1].split()
        if arguments and re.fullmatch(first_argument_pattern, arguments[0]):
            calls.append(arguments)
    return calls


def linked_names(module, cmake_text):
    """The modules and libraries the module's CMakeLists.txt links, as the arrows list names them."""
    tokens = []
    for arguments in cmake_call_arguments(cmake_text, "orvelle_module", module):
        if "DEPS" in arguments:
            tokens += arguments[arguments.index("DEPS") + 1:]
    for arguments in cmake_call_arguments(cmake_text, "target_link_libraries", f"orvelle_{module}"):
        tokens += arguments[1:]
    names, unknown = set(), []
    for token in tokens:
        if token in KEYWORDS:
            continue
        if token.startswith("orvelle::"):
            names.add(token[len("orvelle::"):])
        elif token in LIBRARIES:
            if LIBRARIES[token]:
                names.add(LIBRARIES[token])
        else:
            unknown.append(token)
    return names, unknown


def included_modules(folder, modules):
    found = {}
    for source in sorted(folder.rglob("*")):
        if source.suffix not in (".h", ".cpp", ".in"):
            continue
        for m in INCLUDE.finditer(source.read_text(encoding="utf-8", errors="replace")):
            if m.group("module") in modules:
                found.setdefault(m.group("module"), source.relative_to(folder.parent.parent))
    return found


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).resolve().parent.parent)
    arrows, notes = documented_arrows((root / "docs/ARCHITECTURE.md").read_text(encoding="utf-8"))
    folders = {p.parent.name: p.parent for p in (root / "src").glob("*/CMakeLists.txt")}
    problems = []
    for module in sorted(set(folders) - set(arrows)):
        problems.append(f"src/{module}: a module without an arrow line in docs/ARCHITECTURE.md")
    for module in sorted(set(arrows) - set(folders)):
        problems.append(f"docs/ARCHITECTURE.md: {module} has an arrow line but no folder src/{module}")
    for module in sorted(set(folders) & set(arrows)):
        documented = arrows[module]
        linked, unknown = linked_names(module, (folders[module] / "CMakeLists.txt").read_text(encoding="utf-8"))
        for token in unknown:
            problems.append(f"src/{module}/CMakeLists.txt links {token}, which the check's LIBRARIES does not name")
        for name in sorted(linked - documented):
            problems.append(f"{module} -> {name}: linked in src/{module}/CMakeLists.txt, missing in docs/ARCHITECTURE.md")
        for name in sorted(documented - linked):
            problems.append(f"{module} -> {name}: in docs/ARCHITECTURE.md, not linked in src/{module}/CMakeLists.txt")
        qt = sorted(name for name in linked if name.startswith("Qt "))
        if notes[module] == "no Qt" and qt:
            problems.append(f"{module} is documented as using no Qt but links {', '.join(qt)}")
        if notes[module] == "no Qt Widgets" and "Qt Widgets" in linked:
            problems.append(f"{module} is documented as using no Qt Widgets but links Qt Widgets")
        for used, source in sorted(included_modules(folders[module], set(folders)).items()):
            if used != module and used not in documented:
                problems.append(f"{source} includes {used}/, but {module} has no arrow to {used}")
    for problem in problems:
        print(problem)
    if problems:
        return 1
    print(f"{len(arrows)} modules: the documented arrows match the link lines and the includes")
    return 0


if __name__ == "__main__":
    sys.exit(main())
