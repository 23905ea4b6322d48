// The work field as the core's world value reports it: squares, walls,
// items and Zelk, and the info panel beside it.
const SQUARE = 40, COLS = 15, ROWS = 10;
let canvas, el = {};

export function initField() {
  canvas = document.getElementById("arbeitsfeld");
  ["xpos", "ypos", "material", "feldpanel"].forEach((id) => { el[id] = document.getElementById(id); });
}

export function drawField(state) {
  const g = canvas.getContext("2d");
  g.clearRect(0, 0, canvas.width, canvas.height);
  g.strokeStyle = "#ccc";
  g.lineWidth = 1;
  for (let y = 1; y <= ROWS; ++y) {
    for (let x = 1; x <= COLS; ++x) {
      const left = (x - 1) * SQUARE, top = (ROWS - y) * SQUARE;
      const sq = state.grid[y - 1][x - 1];
      g.strokeRect(left + 0.5, top + 0.5, SQUARE, SQUARE);
      if (sq[0] > 0) {
        g.fillStyle = "#a60";
        g.font = "16px sans-serif";
        g.textAlign = "center";
        g.textBaseline = "middle";
        g.fillText(String(sq[0]), left + SQUARE / 2, top + SQUARE / 2);
      }
    }
  }
  // Walls over the grid: sides 1 east, 2 north, 3 west, 4 south.
  g.strokeStyle = "#000";
  g.lineWidth = 4;
  for (let y = 1; y <= ROWS; ++y) {
    for (let x = 1; x <= COLS; ++x) {
      const l = (x - 1) * SQUARE, t = (ROWS - y) * SQUARE, s = state.grid[y - 1][x - 1];
      const sides = [[l + SQUARE, t, l + SQUARE, t + SQUARE], [l, t, l + SQUARE, t],
                     [l, t, l, t + SQUARE], [l, t + SQUARE, l + SQUARE, t + SQUARE]];
      for (let d = 0; d < 4; ++d) {
        if (s[d + 1] === 0) {
          g.beginPath();
          g.moveTo(sides[d][0], sides[d][1]);
          g.lineTo(sides[d][2], sides[d][3]);
          g.stroke();
        }
      }
    }
  }
  drawRobot(g, state.robot);
  canvas.setAttribute("aria-label", "Arbeitsfeld, Zelk auf x=" + state.robot.x + " y=" + state.robot.y);
  drawInfo(state);
}

// Zelk as a triangle pointing where it looks (0 east, 1 north, 2 west, 3 south).
function drawRobot(g, robot) {
  const cx = (robot.x - 0.5) * SQUARE, cy = (ROWS - robot.y + 0.5) * SQUARE;
  const r = SQUARE * 0.38;
  g.save();
  g.translate(cx, cy);
  g.rotate(-robot.direction * Math.PI / 2);
  g.fillStyle = "#06c";
  g.beginPath();
  g.moveTo(r, 0);
  g.lineTo(-r * 0.7, -r * 0.75);
  g.lineTo(-r * 0.7, r * 0.75);
  g.closePath();
  g.fill();
  g.restore();
}

function drawInfo(state) {
  el.xpos.value = String(state.robot.x);
  el.ypos.value = String(state.robot.y);
  el.material.value = String(state.robot.supply);
  el.feldpanel.textContent = state.feldPanel;
}
