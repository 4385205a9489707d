#!/usr/bin/env python3
"""Every translation uses its language's glossary words: wherever English's
text names a term, the same text in the translation carries that language's
word for it (or a form the glossary accepts), and no text carries a word the
glossary refuses. The glossary is the table in docs/translating.md."""
import re
import sys
from pathlib import Path

ROOT = Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).resolve().parents[2])
# How English says each term. "Shutdown.dll" is a file's name, not the action.
ENGLISH = {"Sleep": r"sleep|suspend", "Hibernate": r"hibernat", "Shut down": r"shut ?down(?!\.dll)",
           "Sign out": r"log(ged)? ?(you )?off", "Restart": r"reboot|restart", "second": r"second",
           "minute": r"minute", "hour": r"hour", "program": r"program", "computer": r"computer"}


def rows(text, title):
    """The table under a heading of the glossary: its head, then its rows, as lists of cells."""
    table = next(b for b in text.split(title, 1)[1].split("\n\n") if b.startswith("|"))
    return [[c.strip() for c in line.strip().strip("|").split("|")] for line in table.strip().splitlines()
            if not line.startswith("|---")]


def texts(path):
    """Id or key to text, from a resource script, an installer's or a listing's file."""
    found, key = {}, None
    for line in path.read_text(encoding="utf-8").splitlines():
        m = re.match(r'\s+((?:IDS|AFX)_\w+(?:\+\d)?)\s+"(.*)"$|LangString (\w+) \S+ "(.*)"$|(\w+): (.*)$', line)
        if m:
            key = m.group(1) or m.group(3) or m.group(5)
            found[key] = re.sub(r"^>-$", "", m.group(2) or m.group(4) or m.group(6) or "").replace('""', '"')
        elif key and path.suffix == ".yaml" and line.startswith("  "):
            found[key] += " " + line.strip()
    return found


doc = (ROOT / "docs/translating.md").read_text(encoding="utf-8")
glossary = doc.split("<!-- glossary -->")[1].split("<!-- /glossary -->")[0]
links = set(re.findall(r"^\[([\w-]+)\]: https?://", glossary, re.M))
words, errors = {}, []
terms, *table = rows(glossary, "### Windows' words")
for tag, *cells in table:
    for term, cell in zip(terms[1:], cells):
        ref = re.fullmatch(r"\[(.+)\]\[([\w-]+)\]", cell)
        if not (ref and ref.group(2) in links) and not cell.endswith(" (unverified)"):
            errors.append(f"glossary: {tag}, {term}: \"{cell}\" has neither a source nor \"(unverified)\"")
        word = ref.group(1) if ref else cell.removesuffix(" (unverified)")
        words[tag, term] = (word, [word.lower()], [])
for tag, term, accepts, never in rows(glossary, "### What the check accepts")[1:]:
    words[tag, term][1].extend(a.strip().lower() for a in accepts.split(",") if a.strip())
    words[tag, term][2].extend(n.strip().lower() for n in never.split(",") if n.strip())

english = {"shell": texts(ROOT / "shell/shell.rc"), "shutdown": texts(ROOT / "shutdown/shutdown.rc"),
           "drowsel": texts(ROOT / "drowsel/drowsel.rc"), "powerlib": texts(ROOT / "powerlib/PowerLib.rc"),
           "nsh": texts(ROOT / "packaging/lang/en.nsh"), "yaml": texts(ROOT / "packaging/lang/en.yaml")}
english["yaml"]["ShortDescription"] = re.search(r'DESCRIPTION_SUMMARY "(.*)"', (ROOT / "cmake/Packaging.cmake")
                                                .read_text()).group(1)
for tag in sorted({t for t, _ in words}):
    for part, path in [(p, ROOT / f"{p}/lang/{tag}.rc") for p in ("shell", "shutdown", "drowsel", "powerlib")] + \
                      [(p, ROOT / f"packaging/lang/{tag}.{p}") for p in ("nsh", "yaml")]:
        for key, text in texts(path).items():
            said = text.lower()
            for term, pattern in ENGLISH.items():
                word, accepts, never = words[tag, term]
                if re.search(pattern, english[part].get(key, "").lower()) and not any(a in said for a in accepts):
                    errors.append(f"{path.relative_to(ROOT)}: {tag}, {key}: \"{text}\" lacks {term}: \"{word}\"")
                errors.extend(f"{path.relative_to(ROOT)}: {tag}, {key}: \"{text}\" says \"{n}\"; {term} is \"{word}\""
                              for n in never if n in said)
print("\n".join(errors) or f"glossary: {len(words)} terms in {len(words) // len(ENGLISH)} languages, every file agrees")
sys.exit(1 if errors else 0)
