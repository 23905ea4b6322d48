// The page's own message box: the core's title and text unchanged, shown
// one after another; the text keeps its blanks (white-space: pre-wrap).
const waiting = [];
let box, title, text;
const closedListeners = [];

export function initMessages() {
  box = document.getElementById("meldung");
  title = document.getElementById("meldung-titel");
  text = document.getElementById("meldung-text");
  box.addEventListener("close", () => {
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

function showNext() {
  if (box.open || waiting.length === 0)
    return;
  const m = waiting.shift();
  title.textContent = m.title;
  text.textContent = m.text;
  box.dataset.icon = m.icon;
  box.showModal();
}
