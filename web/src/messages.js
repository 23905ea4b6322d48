// The page's own message box: the core's title and text unchanged, shown
// one after another; the text keeps its blanks (white-space: pre-wrap).
const waiting = [];
let box, title, text;
let current = null;  // the message or question the box shows
const closedListeners = [];

export function initMessages() {
  box = document.getElementById("meldung");
  title = document.getElementById("meldung-titel");
  text = document.getElementById("meldung-text");
  box.addEventListener("close", () => {
    if (current && current.answer)
      current.answer(box.returnValue);
    current = null;
    showNext();
    if (!box.open)
      closedListeners.splice(0).forEach((f) => f());
  });
}

export function isOpen() { return box.open; }

// f runs once no box is open any more (at once when none is).
export function whenClosed(f) {
  if (!box.open) f();
  else closedListeners.push(f);
}

export function queue(messages) {
  waiting.push(...messages);
  showNext();
}

// A question with Ja and Nein, in the same box after any message before
// it; resolves to true for Ja.
export function ask(questionTitle, questionText) {
  return new Promise((resolve) => {
    waiting.push({ icon: "question", title: questionTitle, text: questionText,
                   buttons: [["ja", "Ja"], ["nein", "Nein"]], answer: (v) => resolve(v === "ja") });
    showNext();
  });
}

// The desktop's warning with Ja, Nein and Abbrechen; resolves to "ja",
// "nein" or "abbrechen" (also for Esc).
export function askYesNoCancel(questionTitle, questionText) {
  return new Promise((resolve) => {
    waiting.push({ icon: "warning", title: questionTitle, text: questionText,
                   buttons: [["ja", "Ja"], ["nein", "Nein"], ["abbrechen", "Abbrechen"]],
                   answer: (v) => resolve(v === "ja" || v === "nein" ? v : "abbrechen") });
    showNext();
  });
}

function showNext() {
  if (box.open || waiting.length === 0)
    return;
  const m = waiting.shift();
  current = m;
  title.textContent = m.title;
  text.textContent = m.text;
  box.dataset.icon = m.icon;
  showButtons(m);
  box.returnValue = "";
  box.showModal();
}

// OK for a message; the question's answers for a question, answered when
// the box closes (Esc counts as Nein, or as Abbrechen where there is one).
function showButtons(m) {
  const form = box.querySelector("form");
  form.querySelectorAll(".antwort").forEach((b) => b.remove());
  document.getElementById("meldung-ok").hidden = !!m.answer;
  if (!m.answer)
    return;
  for (const [value, label] of m.buttons) {
    const b = document.createElement("button");
    b.className = "antwort";
    b.value = value;
    b.textContent = label;
    form.appendChild(b);
  }
}
