#!/usr/bin/env python3
"""Makes resources/wordlist.dic, the game's dictionary, from Debian's WordNet (wordnet-base) and
SCOWL word list (wamerican).

A word goes in when it is a lower-case, purely alphabetic four-letter word of the SCOWL list that
has a WordNet gloss (its own, or its base word's when it is a plural or another inflected form), is
not on the filter list, and is among the most common such words by WordNet's sense-tag counts.
Its definition is the gloss of its most frequent sense, without the example sentences, cut at a
word boundary to fit 240 characters; an inflected form's starts with "plural of <base>: " or
"form of <base>: ".

Each record is 246 bytes: the word blank-padded to 6, the definition blank-padded to 240, plain
ASCII; records are sorted. The same inputs always give the same bytes.

    python3 tools/wordlist/make_wordlist.py [--out resources/wordlist.dic] [--report]
"""

import argparse
import collections
import os
import re
import sys

WORDNET = "/usr/share/wordnet"
SCOWL = "/usr/share/dict/american-english"
HERE = os.path.dirname(os.path.abspath(__file__))
FILTER = os.path.join(HERE, "filter.txt")
DEFAULT_OUT = os.path.normpath(os.path.join(HERE, "..", "..", "resources", "wordlist.dic"))

WORD_WIDTH = 6
DEFINITION_WIDTH = 240
TARGET = 2100          # words kept: the most common ones
MINIMUM, MAXIMUM = 1800, 2500

POSES = ("noun", "verb", "adj", "adv")
POS_OF_SS = {"1": "noun", "2": "verb", "3": "adj", "4": "adv", "5": "adj"}

# Base forms of inflected words (WordNet's own detachment rules).
SUFFIXES = {
    "noun": [("s", ""), ("ses", "s"), ("xes", "x"), ("zes", "z"), ("ches", "ch"), ("shes", "sh"),
             ("men", "man"), ("ies", "y")],
    "verb": [("s", ""), ("ies", "y"), ("es", "e"), ("es", ""), ("ed", "e"), ("ed", ""),
             ("ing", "e"), ("ing", "")],
    "adj": [("er", ""), ("est", ""), ("er", "e"), ("est", "e")],
    "adv": [],
}

# Senses that are no word for the game: abbreviations, letter names, symbols.
JUNK_GLOSS = re.compile(
    r"\b(abbreviation|acronym|initialism)\b"
    r"|\bletter of the \w+ alphabet\b"
    r"|\b(chemical )?symbol\b.*\belement\b"
    r"|^\(\w+\) (a|the) \w+ letter\b",
    re.IGNORECASE)

# A definition that WordNet itself marks as coarse keeps its word out.
COARSE_GLOSS = re.compile(
    r"\b(obscene|vulgar|offensive (term|name|word)|derogatory|disparaging|slur)\b", re.IGNORECASE)

# Roman numerals are no words either ("xvii", "mcml").
ROMAN = re.compile(r"m{0,4}(cm|cd|d?c{0,3})(xc|xl|l?x{0,3})(ix|iv|v?i{0,3})")


def read_lines(path):
    with open(path, encoding="latin-1") as f:
        for line in f:
            if line.startswith("  "):       # licence header of the WordNet files
                continue
            yield line.rstrip("\n")


def load_index():
    """lemma -> pos -> synset offsets in sense order."""
    index = {}
    for pos in POSES:
        for line in read_lines(os.path.join(WORDNET, "index." + pos)):
            fields = line.split()
            lemma = fields[0]
            synset_count = int(fields[2])
            offsets = fields[-synset_count:]
            index.setdefault(lemma, {})[pos] = offsets
    return index


def load_data():
    """(pos, offset) -> (word forms as written, gloss)."""
    data = {}
    for pos in POSES:
        for line in read_lines(os.path.join(WORDNET, "data." + pos)):
            head, _, gloss = line.partition(" | ")
            fields = head.split()
            word_count = int(fields[3], 16)
            forms = [fields[4 + 2 * i] for i in range(word_count)]
            data[(pos, fields[0])] = (forms, gloss.strip())
    return data


def load_counts():
    """lemma -> pos -> {sense number: tag count}."""
    counts = {}
    for line in read_lines(os.path.join(WORDNET, "cntlist.rev")):
        key, sense, tags = line.split()
        lemma, _, rest = key.partition("%")
        pos = POS_OF_SS[rest[0]]
        senses = counts.setdefault(lemma, {}).setdefault(pos, {})
        senses[int(sense)] = senses.get(int(sense), 0) + int(tags)
    return counts


def load_gloss_counts(data):
    """How often each word occurs in the text of all glosses, examples included: for the many
    words the tagged texts never met, the best measure of how common they are."""
    counts = collections.Counter()
    for _, gloss in data.values():
        counts.update(re.findall(r"[a-z]+", gloss.lower()))
    return counts


def load_exceptions():
    """inflected form -> [(pos, base)]."""
    exceptions = {}
    for pos in ("noun", "verb", "adj", "adv"):
        for line in read_lines(os.path.join(WORDNET, pos + ".exc")):
            fields = line.split()
            for base in fields[1:]:
                exceptions.setdefault(fields[0], []).append((pos, base))
    return exceptions


def load_filter():
    words = set()
    with open(FILTER, encoding="ascii") as f:
        for line in f:
            line = line.split("#", 1)[0].strip()
            if line:
                words.add(line.lower())
    return words


def candidates():
    with open(SCOWL, encoding="utf-8") as f:
        words = {w.strip() for w in f}
    return sorted(w for w in words if re.fullmatch(r"[a-z]{4}", w))


def clean_gloss(gloss):
    """The definition without its example sentences, in plain ASCII on one line."""
    # Examples follow the definition as '; "..."'; some glosses are only an example.
    definition = re.split(r';\s*"', gloss, maxsplit=1)[0]
    definition = definition.replace("`", "'").replace('"', "'")
    definition = re.sub(r"\s+", " ", definition).strip().rstrip(";:,").strip()
    definition = definition.encode("ascii", "ignore").decode("ascii")
    if definition.startswith("'"):
        return ""
    return definition


def fit(definition, width=DEFINITION_WIDTH):
    if len(definition) <= width:
        return definition
    cut = definition[:width + 1].rfind(" ")
    if cut <= 0:
        cut = width
    return definition[:cut].rstrip(" ;:,(")


def first_sense_count(counts, lemma, pos):
    return counts.get(lemma, {}).get(pos, {}).get(1, 0)


def total_count(counts, lemma):
    return sum(sum(s.values()) for s in counts.get(lemma, {}).values())


def sense_total(index, lemma, poses=POSES):
    return sum(len(index.get(lemma, {}).get(pos, [])) for pos in poses)


def good_senses(index, data, lemma, pos):
    """The glosses of a lemma's senses in one part of speech, sense order, junk senses left out;
    only senses where the lemma is written in lower case (not a name)."""
    out = []
    for offset in index.get(lemma, {}).get(pos, []):
        forms, gloss = data[(pos, offset)]
        if lemma not in forms:          # written with capitals there: a name
            continue
        definition = clean_gloss(gloss)
        if not definition or JUNK_GLOSS.search(gloss):
            continue
        out.append(definition)
    return out


def base_forms(word, index, exceptions):
    """(pos, base) pairs for an inflected word, WordNet's exceptions first."""
    found = [(pos, base) for pos, base in exceptions.get(word, []) if pos in index.get(base, {})]
    for pos in POSES:
        for suffix, ending in SUFFIXES[pos]:
            if word.endswith(suffix) and len(word) > len(suffix):
                base = word[: len(word) - len(suffix)] + ending
                if base != word and pos in index.get(base, {}) and (pos, base) not in found:
                    found.append((pos, base))
    return found


def choose(word, index, data, counts, exceptions):
    """((tag count, senses), definition) for a word, or None when it has no usable gloss.

    A word that is also an inflected form ("sang", "legs", "kept") takes its base word's sense
    when the tagged texts never met the word in its own right but met the base word."""
    best = None
    if word in index:
        for rank, pos in enumerate(POSES):
            senses = good_senses(index, data, word, pos)
            if not senses:
                continue
            key = (first_sense_count(counts, word, pos), -rank)
            if best is None or key > best[0]:
                best = (key, senses[0])
    own = None
    if best is not None:
        own = ((total_count(counts, word), sense_total(index, word)), best[1])
    inflected = None
    for pos, base in base_forms(word, index, exceptions):
        senses = good_senses(index, data, base, pos)
        if not senses:
            continue
        score = (sum(counts.get(base, {}).get(pos, {}).values()), sense_total(index, base, (pos,)))
        if inflected is None or score > inflected[0]:
            form = "plural of " if pos == "noun" else "form of "
            inflected = (score, form + base + ": " + senses[0])
    if own is None:
        return inflected
    if inflected is not None and own[0][0] == 0 and inflected[0][0] > 0:
        return inflected
    return own


def build(report):
    index = load_index()
    data = load_data()
    counts = load_counts()
    exceptions = load_exceptions()
    in_glosses = load_gloss_counts(data)
    blocked = load_filter()

    scored = []
    dropped = {"filter": [], "numeral": [], "coarse": [], "no gloss": []}
    for word in candidates():
        if word in blocked:
            dropped["filter"].append(word)
            continue
        if ROMAN.fullmatch(word):
            dropped["numeral"].append(word)
            continue
        chosen = choose(word, index, data, counts, exceptions)
        if chosen is None:
            dropped["no gloss"].append(word)
            continue
        score, definition = chosen
        if COARSE_GLOSS.search(definition):
            dropped["coarse"].append(word)
            continue
        tags, senses = score
        scored.append(((tags + in_glosses[word], senses), word, fit(definition)))

    # Most common first: by sense-tag count plus occurrences in the glosses, then by how many
    # senses WordNet knows; ties keep alphabetical order, so the cut is reproducible.
    scored.sort(key=lambda item: (-item[0][0], -item[0][1], item[1]))
    kept = sorted(scored[:TARGET], key=lambda item: item[1])
    if not MINIMUM <= len(kept) <= MAXIMUM:
        sys.exit("make_wordlist: %d words, outside %d..%d" % (len(kept), MINIMUM, MAXIMUM))

    if report:
        for reason, words in dropped.items():
            print("dropped (%s): %d: %s" % (reason, len(words), " ".join(words)), file=sys.stderr)
        cut = scored[TARGET:]
        print("below the cut: %d: %s" % (len(cut), " ".join(w for _, w, _ in cut)), file=sys.stderr)
        print("lowest kept score: %s" % (scored[min(TARGET, len(scored)) - 1][0],), file=sys.stderr)

    out = bytearray()
    for _, word, definition in kept:
        out += word.ljust(WORD_WIDTH).encode("ascii")
        out += definition.ljust(DEFINITION_WIDTH).encode("ascii")
    return bytes(out), len(kept)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--out", default=DEFAULT_OUT)
    parser.add_argument("--report", action="store_true", help="list dropped words on stderr")
    args = parser.parse_args()
    data, count = build(args.report)
    with open(args.out, "wb") as f:
        f.write(data)
    print("%s: %d words, %d bytes" % (args.out, count, len(data)))


if __name__ == "__main__":
    main()
