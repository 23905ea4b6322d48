// The colours of a program text: keywords, the robot's commands and tests,
// comments and numbers, each line read by the core's scanner rules in the
// spelling the Underscore option chooses. Only the visible lines are
// coloured; the comment state at each line's end is kept, so a comment
// opened far above is known without reading everything again.
import { RangeSetBuilder, StateEffect } from "@codemirror/state";
import { ViewPlugin, Decoration } from "@codemirror/view";
import { call } from "./core.js";

// Longer lines stay plain, as on the desktop.
const LONGEST_COLOURED_LINE = 20000;
const STORE_KEY = "zelk.unterstrich";

const marks = {
  keyword: Decoration.mark({ class: "zk-schluesselwort" }),
  robot: Decoration.mark({ class: "zk-roboterwort" }),
  comment: Decoration.mark({ class: "zk-kommentar" }),
  number: Decoration.mark({ class: "zk-zahl" }),
};

const recolour = StateEffect.define();

function lex(text, before) {
  return JSON.parse(call("zelk_lex_line", "string", ["string", "number"], [text, before]));
}

export const colours = ViewPlugin.fromClass(class {
  constructor(view) {
    this.after = [];  // the comment state at the end of each line known so far
    this.decorations = this.build(view);
  }

  update(u) {
    if (u.docChanged) {
      let first = this.after.length;
      u.changes.iterChangedRanges((fromA) => { first = Math.min(first, u.startState.doc.lineAt(fromA).number - 1); });
      this.after.length = Math.min(this.after.length, first);
    }
    if (u.docChanged || u.viewportChanged || u.transactions.some((t) => t.effects.some((e) => e.is(recolour))))
      this.decorations = this.build(u.view);
  }

  stateBefore(doc, n) {
    while (this.after.length < n) {
      const k = this.after.length;
      this.after.push(lex(doc.line(k + 1).text, k ? this.after[k - 1] : 0).after);
    }
    return n ? this.after[n - 1] : 0;
  }

  build(view) {
    const b = new RangeSetBuilder(), doc = view.state.doc;
    for (const { from, to } of view.visibleRanges) {
      for (let pos = from; pos <= to;) {
        const line = doc.lineAt(pos), n = line.number - 1;
        if (line.length <= LONGEST_COLOURED_LINE) {
          const r = lex(line.text, this.stateBefore(doc, n));
          if (this.after.length === n) this.after.push(r.after);
          for (const [start, length, kind] of r.spans)
            if (length > 0 && marks[kind]) b.add(line.from + start, line.from + start + length, marks[kind]);
        }
        pos = line.to + 1;
      }
    }
    return b.finish();
  }
}, { decorations: (p) => p.decorations });

export function recolourAll(view) { view.dispatch({ effects: recolour.of(null) }); }

function stored() {
  try { return window.localStorage.getItem(STORE_KEY); } catch (e) { return null; }
}

// The Underscore option: on unless the learner turned it off in this
// browser. The core takes it at once, so colours and translations agree.
export function initColours(onChanged) {
  const box = document.getElementById("unterstrich");
  box.checked = stored() !== "0";
  call("zelk_set_underscore", null, ["number"], [box.checked ? 1 : 0]);
  box.addEventListener("change", () => {
    try { window.localStorage.setItem(STORE_KEY, box.checked ? "1" : "0"); } catch (e) { /* not kept */ }
    call("zelk_set_underscore", null, ["number"], [box.checked ? 1 : 0]);
    onChanged();
  });
}
