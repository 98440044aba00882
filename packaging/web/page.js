// The page around the game: its size on the screen, its keyboard focus and
// the end of a game. The scores' buttons are scores.js's, in the game.
'use strict';
var canvas = document.getElementById('canvas');

// A whole number of device pixels per game pixel, crisp at every density:
// the device pixel ratio rounded, at least 1.
function fit() {
  var ratio = window.devicePixelRatio || 1;
  var scale = Math.max(1, Math.round(ratio));
  canvas.style.width = (canvas.width * scale) / ratio + 'px';
  canvas.style.height = (canvas.height * scale) / ratio + 'px';
}
// Again whenever the ratio changes: zoom, or the window moved to another screen.
function fitAndWatch() {
  fit();
  matchMedia('(resolution: ' + window.devicePixelRatio + 'dppx)').addEventListener('change', fitAndWatch, {
    once: true,
  });
}
fitAndWatch();

// The game has the keyboard from the start and whenever its canvas is clicked.
canvas.focus();
canvas.addEventListener('mousedown', function () {
  canvas.focus();
});
// The browser's own shortcuts (reload, zoom, developer tools) stay the
// browser's: they never reach the game, which would take them all. Ctrl on
// its own still does, as on the desktop.
window.addEventListener(
  'keydown',
  function (event) {
    var shortcut = (event.ctrlKey || event.metaKey) && !/^(Control|Meta|Shift|Alt)$/.test(event.key);
    if (shortcut || /^F\d+$/.test(event.key)) event.stopPropagation();
  },
  true
);

var Module = {
  canvas: canvas,
  onGameEnded: function (scoresKept) {
    document.body.classList.add('ended');
    document.getElementById('kept').hidden = !scoresKept;
    document.getElementById('ended').hidden = false;
    document.getElementById('again').focus();
  },
};
document.getElementById('again').addEventListener('click', function () {
  location.reload();
});
