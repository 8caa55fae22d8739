#!/usr/bin/env python3
"""Counts the damage a reader would notice in the built stores, without the builder's code.

    scan_stores.py DATA_DIR                    compare the counts with DATA_DIR/build-report.txt
    scan_stores.py DATA_DIR --measure SOURCES  also print coverage and reading figures

Each kind is counted as rows carrying it, per table, the way the build report counts them.
Text after the 【國語辭典】 line is quoted verbatim under a no-derivatives licence and is not
scanned. Exits 77 (skipped) when the full stores are not there.
"""
import json
import gzip
import os
import re
import sqlite3
import sys

PROTECTED = '【國語辭典】'
HAN = '\u3400-\u4dbf\u4e00-\u9fff\U00020000-\U0003134f'
TONE = 'āáǎàēéěèīíǐìōóǒòūúǔùǖǘǚǜńňǹḿ'

STORES = [('xhb.db', 'hz'), ('xhi.db', 'dict'), ('xhg.db', 'cy'), ('xhd.db', 'xhy'),
          ('xhk.db', '英语单词'), ('xhe.db', 'mylib')]

# Four hex digits the scrape wrote for a character it could not encode, standing against Chinese
# text or a bracket (语出苏轼《b036＊…, 刀(fdd1)部, 亦作"??381d"), never inside a Latin word or a
# formula, and never the fdXX codes' neighbours in English text.
HEX_CODE = re.compile(
    r'(?<=[%s《（(“"\u2170-\u217f\uff00-\uffef])[b-f](?=[0-9a-f]{0,2}[0-9])[0-9a-f]{3}(?![0-9A-Za-z+=*/-])'
    r'|\?\?[0-9a-f]{4}(?![0-9A-Za-z])'
    r'|(?<=[%s\uff00-\uffef》《，。])f[de][0-9a-f]{2}|(?<![A-Za-z-])f[de][0-9a-f]{2}(?=[%s\uff00-\uffef])' % (HAN, HAN, HAN))
# A population larger than the world's: a decimal point lost upstream (人口113亿).
POPULATION = re.compile(r'人口[约近达为有逾超过共]*([0-9]+(?:\.[0-9]+)?)亿')
LATIN = re.compile(r'[A-Za-z\u00c0-\u024f]')
# Phonetics: a stress mark with nothing to stress ("blɑːstˌ blæstik"), and the symbols of the
# source's own ASCII scheme (^ and ASCII g for ɡ, \ for ɜ, є for ɛ, ˊ for ˈ, Cyrillic ә, ɒː for ɔː, j for ʊ
# before a consonant, (?@) for a lost label).
STRESS_GAP = re.compile(r'ˌ(?=[\s,;\])]|$)')
ASCII_SCHEME = re.compile(r'[\^g\\єεˊә@]|ɒː|ɒ:|(?<=[aəeɔo])j(?![aeiouəɑæɔɒʌɪʊɜɛː:])')
DOMAIN = re.compile(r'^(?:[a-z]+\.\s*)*\[[^\]]{1,4}\]')
CROSS_REF = re.compile(r'^(?:[a-z]+\.\s*(?:&\s*[a-z]+\.\s*)?)*See\s+[A-Z][^.;]*\.?$')


def visible(value):
    text = value if isinstance(value, str) else ''
    cut = text.find(PROTECTED)
    return text if cut < 0 else text[:cut]


def generic_kinds(texts):
    kinds = set()
    for t in texts:
        if HEX_CODE.search(t):
            kinds.add('scrapeCode')
        if '◇' in t:
            kinds.add('lozenge')
        if any(float(m.group(1)) >= 80 for m in POPULATION.finditer(t)):
            kinds.add('impossibleFigure')
    return kinds


def guangyun_gaps(content):
    section = ''
    for line in content.splitlines():
        m = re.match(r'^【([^】]+)】', line)
        if m:
            section = m.group(1)
        if section == '广韵' and '？' in line:
            return True
    return False


def english_kinds(text):
    kinds = set()
    lines = [l for l in text.splitlines() if l.strip()]
    if lines and re.match(r'^\[[^\]]*\]$', lines[0]):
        phon = lines[0]
        if STRESS_GAP.search(phon):
            kinds.add('stressComma')
        if ASCII_SCHEME.search(phon):
            kinds.add('asciiPhonetic')
        lines = lines[1:]
    # a subject-tagged sense before a general one, where the entry has general Chinese senses
    general = any(not DOMAIN.match(l) and re.search('[%s]' % HAN, l) for l in lines)
    seen_domain = False
    for l in lines:
        if DOMAIN.match(l):
            seen_domain = True
        elif seen_domain and general:
            kinds.add('domainFirst')
        if CROSS_REF.match(l):
            kinds.add('crossReference')
    return kinds


def scan_table(db, table):
    cols = [r[1] for r in db.execute('pragma table_info("%s")' % table)]
    counts = {}
    for row in db.execute('select * from "%s"' % table):
        rec = dict(zip(cols, row))
        texts = [visible(v) for v in row if isinstance(v, str)]
        kinds = generic_kinds(texts)
        if table == 'hz' and guangyun_gaps(rec['content'] or ''):
            kinds.add('lostCharacter')
        if table == 'xhy' and any(LATIN.search(t) for t in texts):
            kinds.add('latinLetters')
        if table == 'cy' and not (rec['content'] or '').strip():
            kinds.add('emptyExplanation')
        if table == 'mylib' and len(rec['name']) > 100:
            kinds.add('longSaying')
        if table == '英语单词':
            kinds |= english_kinds(rec['解释'] or '')
        for k in kinds:
            counts[k] = counts.get(k, 0) + 1
    return counts


def report_counts(path):
    """{table: {kind: n}} from the artefact lines of the build report."""
    out = {}
    table = None
    with open(path, encoding='utf-8') as f:
        for line in f:
            m = re.match(r'^\S+\.db\s+(\S+): \d+ rows', line)
            if m:
                table = m.group(1)
                continue
            m = re.match(r'^\s+artefacts \(rows\): (.*)$', line)
            if m and table:
                out[table] = {k: int(n) for k, n in (p.rsplit(' ', 1) for p in m.group(1).split(', '))}
    return out


# --- figures for the closing notes of the data work (not part of the pass/fail check) ---

def tone_marks(numbered):
    """'ping2 guo3' -> 'píng guǒ' (CC-CEDICT's numbered tones)."""
    out = []
    for syl in numbered.lower().replace('u:', 'ü').split():
        m = re.match(r'^([a-zü]+)([1-5])$', syl)
        if not m:
            out.append(syl)
            continue
        s, t = m.group(1), int(m.group(2))
        if t == 5:
            out.append(s)
            continue
        marks = {'a': 'āáǎà', 'e': 'ēéěè', 'i': 'īíǐì', 'o': 'ōóǒò', 'u': 'ūúǔù', 'ü': 'ǖǘǚǜ'}
        if 'a' in s:
            v = 'a'
        elif 'e' in s:
            v = 'e'
        elif 'ou' in s:
            v = 'o'
        else:
            vs = [c for c in s if c in marks]
            v = vs[-1] if vs else None
        if v is None:
            out.append(s)
            continue
        i = s.index(v) if v in ('a', 'e') or 'ou' in s else s.rindex(v)
        out.append(s[:i] + marks[v][t - 1] + s[i + 1:])
    return ' '.join(out)


def measure(data, sources):
    cedict = {}
    with open(os.path.join(sources, 'english', 'cc_cedict.tsv'), encoding='utf-8') as f:
        next(f)
        for line in f:
            p = line.rstrip('\n').split('\t')
            if len(p) >= 3:
                cedict.setdefault(p[1], []).append(tone_marks(p[2]))
    with gzip.open(os.path.join(sources, 'pinyin', 'pinyin-pro-data', 'complete.json.gz'), 'rt', encoding='utf-8') as f:
        freq = json.load(f)
    multi = re.compile(r'^[%s]{2,}$' % HAN)
    ranked = sorted((w for w in freq if multi.match(w) and w in cedict), key=lambda w: -freq[w][1])
    dict_db = sqlite3.connect(os.path.join(data, 'xhi.db'))
    words = {w: (s, c) for w, s, c in dict_db.execute('select word, spell, content from dict')}
    print('coverage (pinyin-pro frequencies, multi-character words CC-CEDICT has):')
    for n in (1000, 5000, 20000):
        top = ranked[:n]
        missing = [w for w in top if w not in words]
        print('  top %d: %d missing (%.1f%%) e.g. %s' % (n, len(missing), 100.0 * len(missing) / n, ' '.join(missing[:12])))
    present = [w for w in ranked[:1000] if w in words]
    only_moe = only_en = 0
    moe_ex, en_ex = [], []
    for w in present:
        c = words[w][1] or ''
        head = c.split(PROTECTED)[0]
        chinese = [l for l in head.splitlines() if re.search('[%s]' % HAN, l) and not l.startswith('【英文】')]
        if PROTECTED in c and not chinese:
            only_moe += 1
            moe_ex.append(w)
        elif PROTECTED not in c and not chinese and '【英文】' in c:
            only_en += 1
            en_ex.append(w)
    print('top 1000 present: %d; only the 國語辭典 text %d (%.1f%%) e.g. %s; only an English line %d (%.1f%%) e.g. %s' % (
        len(present), only_moe, 100.0 * only_moe / len(present), ' '.join(moe_ex[:10]),
        only_en, 100.0 * only_en / len(present), ' '.join(en_ex[:10])))
    for w in ('出来', '起来', '个头', '投行', '人行', '重刊', '苹果'):
        if w in words:
            print('  %s: %s | %s' % (w, words[w][0], (words[w][1] or '').splitlines()[0][:60]))
    lists = set()
    base = os.path.join(sources, 'pinyin', 'phrase-pinyin-data')
    for name in ('overwrite.txt', 'pinyin.txt', 'cc_cedict.txt', 'zdic_cybs.txt'):
        with open(os.path.join(base, name), encoding='utf-8') as f:
            for line in f:
                line = line.split('#')[0]
                if ':' in line:
                    lists.add(line.split(':')[0].strip())
    outside = [w for w in words if w not in lists and w in cedict and multi.match(w)]
    agree = sum(1 for w in outside if words[w][0] in cedict[w])
    print('readings of words no phrase list has, against CC-CEDICT: %d of %d agree (%.1f%%)' % (
        agree, len(outside), 100.0 * agree / max(1, len(outside))))
    cy = sqlite3.connect(os.path.join(data, 'xhg.db'))
    toneless = [n for n, s in cy.execute('select name, spell from cy') if not re.search('[%s]' % TONE, s)]
    print('idioms without any tone mark: %d %s' % (len(toneless), ' '.join(toneless[:8])))


def main(argv):
    if len(argv) < 2:
        print(__doc__)
        return 2
    data = argv[1]
    if not all(os.path.exists(os.path.join(data, f)) for f, _ in STORES) or \
            not os.path.exists(os.path.join(data, 'build-report.txt')):
        print('full stores not built in %s: skipped' % data)
        return 77
    reported = report_counts(os.path.join(data, 'build-report.txt'))
    failed = []
    for f, table in STORES:
        db = sqlite3.connect('file:%s?mode=ro' % os.path.join(data, f), uri=True)
        found = scan_table(db, table)
        db.close()
        expected = reported.get(table, {})
        kinds = sorted(set(found) | {k for k in expected if k in KNOWN_KINDS})
        print('%s: %s' % (table, ', '.join('%s %d/%s' % (k, found.get(k, 0), expected.get(k, '-')) for k in kinds) or 'clean'))
        for k in kinds:
            if found.get(k, 0) != expected.get(k):
                failed.append('%s %s: scan %d, report %s' % (table, k, found.get(k, 0), expected.get(k, 'nothing')))
    if '--measure' in argv:
        measure(data, argv[argv.index('--measure') + 1])
    for f in failed:
        print('MISMATCH ' + f)
    return 1 if failed else 0


KNOWN_KINDS = {'scrapeCode', 'lozenge', 'impossibleFigure', 'lostCharacter', 'latinLetters',
               'emptyExplanation', 'longSaying', 'stressComma', 'asciiPhonetic', 'domainFirst',
               'crossReference'}

if __name__ == '__main__':
    sys.exit(main(sys.argv))
