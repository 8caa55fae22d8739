#!/usr/bin/env python3
"""Measures the character explanations of a built xhb.db on its own terms.

Reads only the store, the raw data sets and the build report; shares no code with the builder.
Among the 3,500 common characters it counts
  restarted   a section whose sense numbers start again (1. 2. 1.)
  repeated    a reading header written twice in one part (【基本解释】 or 【详细解释】)
  missing     a reading of the header with no basic section holding a sense
  polyheader  a polyphone with no reading header at all for one of its readings
  runin       a sense glued to its ～ example without the colon (依然他身体～健康)
  misplaced   a basic sense filed under a reading whose block in the raw text has it
              under another reading of the character (还's hái senses under huán)
  foreign     a basic sense that the raw texts give only to other characters (第's under 地)
  extra       a header reading no modern dictionary lists (not in kXHC1983, nor the neutral
              tone of one of its syllables)
and over every row
  rawbreaks   a line feed without its carriage return, or a tab.
`scrambled` counts the 100 most frequent characters with any of restarted, missing,
misplaced, foreign, an empty sense number or a sub-sense ①② in the basic part.

With --report it compares the counts with the builder's line "hz audit:" and fails on any
difference; with --expect-zero it fails unless the named counts are 0. Without the store or
the data sets it says so and exits 0 (nothing to measure).
"""
import argparse
import gzip
import json
import os
import re
import sqlite3
import sys
import unicodedata

LIST = int(os.environ.get('CHECK_EXAMPLES', '5'))

TONED = 'āáǎàēéěèīíǐìōóǒòūúǔùǖǘǚǜ'
READING = '[a-zü' + TONED + 'ê]+'
HEADER = re.compile(r'^〔(?:旧读 )?(' + READING + r')〕$')
NUMBER = re.compile(r'^(\d+)[.．]')
HAN = re.compile(r'[\u3400-\u9fff\U00020000-\U0003134f]')
EMPTY_NUMBER = re.compile(r'^\d+[.．]\s*$')
SUB_SENSE = re.compile(r'^[\u2460-\u2473]')
# Senses the sources file under the everyday reading that the modern dictionary (现代汉语词典
# 第7版) gives their own reading: 明儿个 is read ge.
MOVED = {('个', 'ge')}


def nfc(text):
    return unicodedata.normalize('NFC', text.replace('\u0261', 'g')).strip()


def bare(reading):
    return ''.join(c for c in unicodedata.normalize('NFD', reading) if not unicodedata.combining(c))


def open_text(path):
    if os.path.exists(path):
        return open(path, encoding='utf-8')
    return gzip.open(path + '.gz', 'rt', encoding='utf-8')


def exists(path):
    return os.path.exists(path) or os.path.exists(path + '.gz')


def parts(content):
    """{'【基本解释】': [(reading or None, [lines])], ...} in order; lines before any part under ''."""
    out = {}
    part = ''
    for line in content.split('\r\n'):
        if line.startswith('【') and line.endswith('】'):
            part = line
            out.setdefault(part, [])
            continue
        sections = out.setdefault(part, [])
        m = HEADER.match(line)
        if m:
            sections.append((m.group(1), line, []))
        elif sections:
            sections[-1][2].append(line)
        else:
            sections.append((None, '', [line]))
    return out


def sense_text(line):
    return NUMBER.sub('', line, count=1).strip()


def first_tilde(text):
    depth = 0
    for i, c in enumerate(text):
        if c in '〔（(':
            depth += 1
        elif c in '〕）)':
            depth = max(0, depth - 1)
        elif c == '～' and depth == 0:
            return i
    return -1


def run_in(line):
    text = sense_text(line)
    p = first_tilde(text)
    return p > 0 and '：' not in text[:p] and ':' not in text[:p] and bool(HAN.match(text[p - 1]))


def key(text, ch):
    """A sense compared across sources: its Chinese characters, ～ written as the character."""
    return ''.join(c for c in text.replace('～', ch) if HAN.match(c))


def raw_explanation_blocks(text, ch):
    """Basic blocks of a raw `explanation`: head lines "还（還）hái", senses numbered ⒈⒉…"""
    head = re.compile('^' + re.escape(ch) + r'(?:、.)*(?:[（(][^）)]*[）)])?\s*[·•]?(' + '[a-zü' + TONED + r'ɡ]+)(?![a-zü' + TONED + r'])\s*(.*)$')
    blocks = []
    lines = [l.strip(' \t\u3000') for l in text.split('\n')]
    for i, line in enumerate(l for l in lines if l):
        m = head.match(line)
        # (a toneless reading on the first line is the record's title: "还  huan")
        if m and (any(c in TONED for c in m.group(1)) or i > 0):
            blocks.append((nfc(m.group(1)), []))
            line = m.group(2)
        if blocks and line:
            for piece in re.split(r'[\u2488-\u249b]|(?<![\d.])\d+[.．](?!\d)', line):
                if piece.strip():
                    blocks[-1][1].append(piece.strip())
    return blocks


def raw_more_blocks(more, ch):
    """The modern basic blocks at the end of a raw `more` text: [(reading, [sense])]."""
    lines = [l.strip(' \t\u3000') for l in more.split('\n')]
    blocks = []
    for i, line in enumerate(lines):
        m = re.match(r'^(' + '[a-zü' + TONED + 'ɡ]+' + ')\u3000\\S*(?:\\s+又(' + '[a-zü' + TONED + 'ɡ]+' + ')\u3000)?', line)
        if not m:
            continue
        j = i - 1
        if j >= 0 and lines[j].startswith('（'):
            j -= 1
        if j < 0 or not re.match('^' + re.escape(ch) + r'\d*$', lines[j]):
            continue
        senses = []
        for l in lines[i + 1:]:
            if l.startswith('郑码') or l.startswith('笔画数'):
                break
            if l and not re.match(r'^\(\d+\)$', l):
                senses.append(l)
        blocks.append((nfc(m.group(1)), senses))
        if m.group(2):
            blocks.append((nfc(m.group(2)), senses))
    return blocks


class Sources:
    def __init__(self, root):
        with open_text(os.path.join(root, 'mapull/char_common.json')) as f:
            # frequency band first (0: the 500 most used), the list's order within it
            self.common = [e['char'] for e in sorted(json.load(f), key=lambda e: (e.get('frequency', 0), e['index']))]
        self.xhc = {}
        with open_text(os.path.join(root, 'unihan/unihan_core.tsv')) as f:
            for line in f:
                fields = line.rstrip('\n').split('\t')
                if len(fields) > 6 and fields[6] and not line.startswith('codepoint'):
                    self.xhc[fields[1]] = {nfc(r) for part in fields[6].split() for r in part.split(':')[-1].split(',')}
        wanted = set(self.common)
        self.blocks = {}  # char -> {reading: {sense key}}
        self.owners = {}  # sense key -> {char}
        with open_text(os.path.join(root, 'xinhua/word.jsonl')) as f:
            for line in f:
                rec = json.loads(line)
                ch = rec['word']
                more = raw_more_blocks(rec.get('more') or '', ch)
                for reading, senses in more + raw_explanation_blocks(rec.get('explanation') or '', ch):
                    for s in senses:
                        k = key(s, ch)
                        if ch in wanted:
                            self.blocks.setdefault(ch, {}).setdefault(reading, set()).add(k)
                # the modern blocks are the one source that never files a sense under another character
                for reading, senses in more:
                    for s in senses:
                        k = key(s, ch)
                        if len(k) >= 6:
                            self.owners.setdefault(k, set()).add(ch)

    def standard(self, ch, reading):
        listed = self.xhc.get(ch)
        if listed is None:
            return True
        return reading in listed or (reading == bare(reading) and reading in {bare(r) for r in listed})


def measure(store, sources):
    db = sqlite3.connect(f'file:{store}?mode=ro', uri=True)
    rows = {name: (spell or '', content or '') for name, spell, content in db.execute('select name, spell, content from hz')}
    db.close()
    counts = dict.fromkeys(['restarted', 'repeated', 'missing', 'polyheader', 'runin', 'misplaced', 'foreign', 'extra', 'rawbreaks', 'scrambled'], 0)
    examples = {k: [] for k in counts}

    def hit(kind, ch):
        counts[kind] += 1
        if len(examples[kind]) < LIST:
            examples[kind].append(ch)

    for ch, (_, content) in rows.items():
        if re.search(r'(?<!\r)\n|\t', content):
            hit('rawbreaks', ch)
    top = set(sources.common[:100])
    for ch in sources.common:
        if ch not in rows:
            continue
        spell, content = rows[ch]
        readings = [r for r in spell.split(',') if r]
        found = parts(content)
        basic = found.get('【基本解释】', [])
        restarted = repeated = runin = misplaced = foreign = damaged = False
        for part, sections in found.items():
            heads = [head for _, head, _ in sections if head]
            repeated |= len(heads) != len(set(heads))
            for _, _, lines in sections:
                last = 0
                for line in lines:
                    m = NUMBER.match(line)
                    if m:
                        restarted |= int(m.group(1)) <= last
                        last = int(m.group(1))
        raw = sources.blocks.get(ch, {})
        for reading, _, lines in basic:
            for line in lines:
                damaged |= bool(EMPTY_NUMBER.match(line) or SUB_SENSE.match(line) or line.startswith('【'))
                runin |= run_in(line)
                k = key(sense_text(line), ch)
                if reading and k and k not in raw.get(reading, set()) and any(k in s for r, s in raw.items() if r != reading):
                    misplaced |= (ch, reading) not in MOVED
                    if os.environ.get('CHECK_VERBOSE') and (ch, reading) not in MOVED:
                        print('misplaced', ch, reading, line)
                owners = sources.owners.get(k)
                if owners and ch not in owners:
                    foreign = True
        with_senses = {r for r, _, lines in basic if r and any(l.strip() for l in lines)}
        missing = any(r not in with_senses for r in readings)
        heads = {r for sections in found.values() for r, _, _ in sections if r}
        if len(readings) > 1 and any(r not in heads for r in readings):
            hit('polyheader', ch)
        for kind, flag in (('restarted', restarted), ('repeated', repeated), ('runin', runin), ('misplaced', misplaced), ('foreign', foreign), ('missing', missing)):
            if flag:
                hit(kind, ch)
        if any(not sources.standard(ch, r) for r in readings):
            hit('extra', ch)
        if ch in top and (restarted or missing or misplaced or foreign or damaged):
            hit('scrambled', ch)
    return counts, examples


def reported(report_path):
    with open(report_path, encoding='utf-8') as f:
        for line in f:
            if line.startswith('hz audit:'):
                return {k: int(v) for k, v in re.findall(r'(\w+) (\d+)', line.split(':', 1)[1])}
    return None


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument('--store', default=os.path.join(here, '..', 'data', 'xhb.db'))
    ap.add_argument('--source', default=os.path.join(here, '..', '..', 'shared', 'data'))
    ap.add_argument('--report', help='build-report.txt whose hz audit line must agree')
    ap.add_argument('--expect-zero', default='', help='comma-separated counts that must be 0')
    args = ap.parse_args()
    if not os.path.exists(args.store) or not exists(os.path.join(args.source, 'xinhua/word.jsonl')):
        print('skipped: full stores or data sets not present')
        return 0
    counts, examples = measure(args.store, Sources(args.source))
    for k, n in counts.items():
        print(f'{k:10} {n:5}  {" ".join(examples[k])}')
    failures = []
    if args.report:
        mine = reported(args.report) if os.path.exists(args.report) else None
        if mine is None:
            failures.append('the build report has no "hz audit:" line')
        else:
            for k, n in mine.items():
                if k in counts and counts[k] != n:
                    failures.append(f'{k}: report says {n}, measured {counts[k]}')
    for k in filter(None, args.expect_zero.split(',')):
        if counts.get(k):
            failures.append(f'{k}: {counts[k]}, expected 0')
    for f in failures:
        print('FAIL', f)
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
