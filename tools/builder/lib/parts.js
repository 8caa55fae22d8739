'use strict';
// The rows of parts.db: how each character is built, for finding characters by their parts, the
// structure text of the entry pane and the colours of the stroke-order page.
//
// One row per character of the decomposition data (the same set as the stroke data):
//   ch       the character
//   ord      place in frequency order, 0 the most frequent (corpus counts of the words it is in)
//   ids      its Ideographic Description Sequence as given ("⿰土也"; "？" for no known parts)
//   kind     pictographic, ideographic, pictophonetic or empty
//   meaning  the meaning component of a pictophonetic character, sound its sound component
//   hint     the data's English note on how the character was formed
//   direct   its parts at the first level, in writing order; a nested part that is itself a
//            character (⿰木木 in 森 is 林) is that character, any other gives its own parts
//   deep     every part at any depth, once per occurrence, in code point order: 森 holds 木 three
//            times and 林 once, 河 holds 氵 可 and the parts of 可 (丁 口 …)
//   roles    one letter per stroke: m a stroke of the meaning component, s of the sound
//            component, - any other
//   pieces   per stroke the first-level part it belongs to (？ where the data does not say)
const SOURCE = 'makemeahanzi/dictionary.jsonl';
const OPERATORS = new Map([...'⿰⿱⿴⿵⿶⿷⿸⿹⿺⿻'].map((c) => [c, 2]).concat([['⿲', 3], ['⿳', 3]]));
const UNKNOWN = '？';
const KINDS = new Set(['pictographic', 'ideographic', 'pictophonetic']);

// "⿰氵⿻丁口" -> {op: '⿰', kids: [{leaf: '氵'}, {op: '⿻', kids: [...]}], text: '⿰氵⿻丁口'}. A
// sequence cut short gives unknown leaves rather than failing the build.
function parseIds(ids) {
  const chars = [...String(ids || '')];
  let i = 0;
  function node() {
    const start = i;
    const c = chars[i++];
    if (c === undefined) return { leaf: UNKNOWN, text: UNKNOWN };
    if (!OPERATORS.has(c)) return { leaf: c, text: c };
    const kids = [];
    for (let k = 0; k < OPERATORS.get(c); k++) kids.push(node());
    return { op: c, kids, text: chars.slice(start, i).join('') };
  }
  return node();
}

// Character frequency: how often it occurs in the corpus, summed over the words it is part of.
function characterCounts(frequencyText) {
  const counts = new Map();
  for (const line of frequencyText.split(/\r?\n/)) {
    const [word, count] = line.trim().split(/\s+/);
    const n = Number(count) || 0;
    if (!word || !n) continue;
    for (const c of word) counts.set(c, (counts.get(c) || 0) + n);
  }
  return counts;
}

class Decompositions {
  constructor(records) {
    this.records = new Map();
    for (const r of records) if (r.character && !this.records.has(r.character)) this.records.set(r.character, r);
    this.trees = new Map([...this.records].map(([ch, r]) => [ch, parseIds(r.decomposition)]));
    // A nested sequence that is the whole decomposition of a character names that character.
    this.named = new Map();
    for (const [ch, tree] of this.trees) if (tree.op && !this.named.has(tree.text)) this.named.set(tree.text, ch);
    this.deepParts = new Map();
  }

  // The character a node stands for: its leaf, or the character a nested sequence spells.
  nameOf(node, self) {
    if (node.leaf) return node.leaf === UNKNOWN || node.leaf === self ? null : node.leaf;
    const ch = this.named.get(node.text);
    return ch && ch !== self ? ch : null;
  }

  direct(ch) {
    const tree = this.trees.get(ch);
    if (!tree || !tree.op) return [];
    const out = [];
    const add = (node) => {
      const name = this.nameOf(node, ch);
      if (name) out.push(name);
      else if (node.op) node.kids.forEach(add);
    };
    tree.kids.forEach(add);
    return out;
  }

  // Every part at any depth, once per occurrence. Parts lead back to their own decompositions;
  // the data holds no cycles, but a part met again on its own path adds nothing.
  deep(ch, path = new Set()) {
    if (this.deepParts.has(ch)) return this.deepParts.get(ch);
    const tree = this.trees.get(ch);
    const out = [];
    if (tree && !path.has(ch)) {
      path.add(ch);
      const walk = (node, top) => {
        const name = top ? null : this.nameOf(node, ch);
        if (name) out.push(name);
        if (node.op) node.kids.forEach((k) => walk(k, false));
        else if (name) out.push(...this.deep(name, path));
      };
      walk(tree, true);
      path.delete(ch);
      if (!path.size) this.deepParts.set(ch, out);
    }
    return out;
  }

  // The path (child indexes from the root) of the shallowest node that stands for part.
  find(ch, part) {
    const tree = this.trees.get(ch);
    if (!tree || !part) return null;
    const queue = [{ node: tree, path: [] }];
    while (queue.length) {
      const { node, path } = queue.shift();
      if (path.length && (node.leaf === part || this.nameOf(node, ch) === part)) return path;
      if (node.op) node.kids.forEach((k, i) => queue.push({ node: k, path: [...path, i] }));
    }
    return null;
  }

  // The first-level part a stroke's path leads into, as direct() names it: the first node on the
  // path that stands for a character.
  pieceOf(tree, path, ch) {
    let node = tree;
    for (const i of path) {
      if (!node.op || !node.kids[i]) return null;
      node = node.kids[i];
      const name = this.nameOf(node, ch);
      if (name) return name;
    }
    return null;
  }

  strokeMaps(ch) {
    const r = this.records.get(ch);
    const tree = this.trees.get(ch);
    const ety = r.etymology || {};
    const pictophonetic = ety.type === 'pictophonetic';
    const meaning = pictophonetic ? this.find(ch, ety.semantic) : null;
    const sound = pictophonetic ? this.find(ch, ety.phonetic) : null;
    const within = (path, prefix) => prefix && prefix.length <= path.length && prefix.every((v, i) => path[i] === v);
    const roles = [];
    const pieces = [];
    for (const path of r.matches || []) {
      const p = Array.isArray(path) ? path : null;
      roles.push(p && within(p, meaning) ? 'm' : p && within(p, sound) ? 's' : '-');
      pieces.push((p && this.pieceOf(tree, p, ch)) || UNKNOWN);
    }
    return { roles: roles.join(''), pieces: pieces.join('') };
  }
}

function byCodePoint(a, b) {
  return a.codePointAt(0) - b.codePointAt(0);
}

// Rows for parts.db; none when the decomposition data is not there.
function partRows(src, frequencyText) {
  if (!src.has(SOURCE)) return [];
  const data = new Decompositions(src.jsonLines(SOURCE));
  const counts = characterCounts(frequencyText);
  const chars = [...data.records.keys()];
  const strokes = (ch) => (data.records.get(ch).matches || []).length;
  chars.sort((a, b) => (counts.get(b) || 0) - (counts.get(a) || 0) || strokes(a) - strokes(b) || byCodePoint(a, b));
  return chars.map((ch, ord) => {
    const r = data.records.get(ch);
    const ety = r.etymology || {};
    const kind = KINDS.has(ety.type) ? ety.type : '';
    const { roles, pieces } = data.strokeMaps(ch);
    return {
      ch,
      ord,
      ids: String(r.decomposition || UNKNOWN),
      kind,
      meaning: kind === 'pictophonetic' ? ety.semantic || '' : '',
      sound: kind === 'pictophonetic' ? ety.phonetic || '' : '',
      hint: ety.hint || '',
      direct: data.direct(ch).join(''),
      deep: [...data.deep(ch)].sort(byCodePoint).join(''),
      roles,
      pieces,
    };
  });
}

module.exports = { partRows, parseIds, characterCounts, Decompositions };
