// The page around the game: its size on the screen, its keyboard focus, the
// end of a game, and the scores to download.
'use strict';
var canvas = document.getElementById('canvas');
var note = document.getElementById('note');

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
  onGameEnded: function () {
    document.body.classList.add('ended');
    document.getElementById('ended').hidden = false;
    document.getElementById('again').focus();
  },
  onStorageProblem: function (message) {
    note.textContent = 'This browser does not keep your scores: ' + message + '.';
  },
};
document.getElementById('again').addEventListener('click', function () {
  location.reload();
});

// The link saves jkl.yen itself, as the game last wrote it.
document.getElementById('download').addEventListener('click', function (event) {
  var bytes = Module.recordsFile ? Module.recordsFile() : null;
  if (!bytes) {
    event.preventDefault();
    note.textContent = 'No scores saved yet: they are saved after each game.';
    return;
  }
  URL.revokeObjectURL(this.href);
  this.href = URL.createObjectURL(new Blob([bytes], { type: 'application/octet-stream' }));
});
