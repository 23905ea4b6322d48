// The offline copy: a service worker keeps the site's files, so that the
// page opens without a network once it was loaded. Browsers allow one only
// over https and on the own machine (localhost); elsewhere, and when the
// browser refuses, a small notice says that there is no offline copy.
const LOCAL_HOSTS = ["localhost", "127.0.0.1", "[::1]"];

function notice(text) {
  const p = document.getElementById("offline-hinweis");
  p.querySelector("span").textContent = text;
  p.hidden = false;
  p.querySelector("button").addEventListener("click", () => { p.hidden = true; });
}

export function initOffline() {
  if (location.protocol === "file:") {
    notice("Als Datei geöffnet: Die Seite läuft ohne Internet, solange ihr Ordner da ist. Eine Offline-Kopie im Browser gibt es so nicht.");
    return;
  }
  const allowed = location.protocol === "https:" || LOCAL_HOSTS.includes(location.hostname);
  if (!allowed || !("serviceWorker" in navigator)) {
    notice("Keine Offline-Kopie: Der Browser legt sie nur für Seiten an, die über https geladen werden.");
    return;
  }
  navigator.serviceWorker.register("sw.js").catch(() => {
    notice("Keine Offline-Kopie: Der Browser hat sie abgelehnt. Ohne Internet öffnet sich die Seite nicht.");
  });
}
