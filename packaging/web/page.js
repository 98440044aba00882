// The page around the game: its size on the screen, its loading, its keyboard
// focus and the end of a game. The scores' links are scores.js's, in the game.
'use strict';
var canvas = document.getElementById('canvas');
var statusBox = document.getElementById('status');

// The whole game in the window, as large as whole device pixels per game pixel
// allow; smoothed only where even one device pixel per game pixel is too many.
// Its corner sits on a device pixel, or the browser would split every block,
// and on a whole CSS pixel where one is near: some browsers round a canvas's
// place and size to CSS pixels. So the canvas keeps its own size in CSS
// pixels and is scaled on the screen, where no rounding comes between.
function fit() {
  var ratio = window.devicePixelRatio || 1;
  var roomWidth = Math.floor(document.documentElement.clientWidth * ratio);
  var roomHeight = Math.floor(innerHeight * ratio);
  var most = Math.min(roomWidth / canvas.width, roomHeight / canvas.height);
  var scale = most >= 1 ? Math.floor(most) : most;
  var width = Math.floor(canvas.width * scale);
  var height = Math.floor(canvas.height * scale);
  // The words below share the window's height with the game while they fit beside it.
  var below = document.getElementById('below').offsetHeight * ratio;
  var left = onWholeCssPixel(Math.floor((roomWidth - width) / 2), ratio) / ratio;
  var top = onWholeCssPixel(Math.max(0, Math.floor((roomHeight - height - below) / 2)), ratio) / ratio;
  canvas.classList.toggle('smooth', most < 1);
  canvas.style.transform = 'scale(' + width / ratio / canvas.width + ')';
  canvas.style.marginLeft = left + 'px';
  canvas.style.marginTop = top + 'px';
  canvas.style.marginBottom = height / ratio - canvas.height + 'px';
  statusBox.style.left = left + 'px';
  statusBox.style.top = top + 'px';
  statusBox.style.width = width / ratio + 'px';
  statusBox.style.height = height / ratio + 'px';
}
// The nearest device pixel at or before `device` that is also a whole CSS pixel, if one is near.
function onWholeCssPixel(device, ratio) {
  for (var at = device; at >= 0 && at > device - 64; --at) {
    if (Math.abs(at / ratio - Math.round(at / ratio)) < 1e-6) return at;
  }
  return device;
}
// Again when the window's size or its pixel ratio changes (zoom, another
// screen), and once more if the page's scroll bar came or went meanwhile.
function refit() {
  var wide = document.documentElement.clientWidth;
  fit();
  if (document.documentElement.clientWidth !== wide) fit();
}
function watchRatio() {
  matchMedia('(resolution: ' + window.devicePixelRatio + 'dppx)').addEventListener(
    'change',
    function () {
      refit();
      watchRatio();
    },
    { once: true }
  );
}
refit();
watchRatio();
// Some browsers tell of a zoom before its new pixel ratio holds: once more at the next frame.
addEventListener('resize', function () {
  refit();
  requestAnimationFrame(refit);
});

// The game cannot run: say so in place of it, and offer to load it again.
function showFailure(sentence) {
  var failed = document.getElementById('failed');
  failed.textContent = sentence;
  failed.hidden = false;
  document.getElementById('loading').hidden = true;
  document.getElementById('retry').hidden = false;
  statusBox.hidden = false;
}
function loadFailed(file) {
  showFailure('The game could not be loaded: ' + file + ' did not arrive. Check the connection and try again.');
}
document.getElementById('retry').addEventListener('click', function () {
  location.reload();
});

// The game's code, fetched by the page itself to show how much has come. It
// compiles while it arrives, and while zelvane.js is still on its way.
function fetchCode() {
  var progress = document.getElementById('progress');
  return fetch('zelvane.wasm').then(function (response) {
    if (!response.ok) throw new Error(response.status + ' ' + response.statusText);
    // A compressed answer's length is not the length of what is read.
    var length = response.headers.get('Content-Encoding') ? 0 : Number(response.headers.get('Content-Length'));
    if (length > 0) progress.max = length;
    var reader = response.body.getReader();
    var counted = new ReadableStream({
      pull: function (into) {
        return reader.read().then(function (part) {
          if (part.done) return into.close();
          if (length > 0) progress.value += part.value.length;
          into.enqueue(part.value);
        });
      },
    });
    return WebAssembly.compileStreaming(new Response(counted, { headers: { 'Content-Type': 'application/wasm' } }));
  });
}
var code = fetchCode();

// The game's sounds come after its first frame; the page only tells of a failure.
var sounds = document.getElementById('sounds');
document.getElementById('sounds-again').addEventListener('click', function () {
  sounds.hidden = true;
  canvas.focus();
  Module.fetchMissingCues();
});

// Once the game and its sounds are in, the browser may keep the whole site for playing offline.
function keepOffline() {
  if ('serviceWorker' in navigator) {
    navigator.serviceWorker.register('offline.js').catch(function (error) {
      console.warn('zelvane: the page cannot be kept for offline play: ' + error);
    });
  }
}

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
  instantiateWasm: function (imports, receive) {
    code
      .then(function (compiled) {
        return WebAssembly.instantiate(compiled, imports);
      })
      .then(receive, function (error) {
        console.error('zelvane: ' + error);
        loadFailed('zelvane.wasm');
      });
    return {};
  },
  // main has drawn the first frame when it returns.
  postRun: [
    function () {
      statusBox.hidden = true;
    },
  ],
  onAbort: function () {
    showFailure('The game has stopped on an error of its own. Try again.');
  },
  onCuesProblem: function () {
    sounds.hidden = false;
  },
  onCuesArrived: keepOffline,
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
