// Runs inside the game's module before it starts. The game opens every file
// by its plain name in its working directory, a folder in the tab's memory;
// scores.js keeps the records file in the browser's storage, and the sound
// cues come into that folder after the first frame (cues.js).
(function () {
  var home = '/zelvane';
  Module.preRun = [].concat(Module.preRun || [], function () {
    FS.mkdir(home);
    FS.chdir(home);
  });
})();
