// Runs inside the game's module before it starts. The game opens every file
// by its plain name in its working directory; in a browser tab that directory
// is a folder kept in the browser's IndexedDB, so jkl.yen outlives reloads and
// browser restarts. The sound cues come into that folder later (cues.js).
(function () {
  var home = '/zelvane';
  var recordsFile = 'jkl.yen';

  // Said on the console and, by the page, to the player.
  function complain(message) {
    err('zelvane: ' + message);
    if (Module.onStorageProblem) Module.onStorageProblem(message);
  }

  // The folder's contents come from IndexedDB before the game loads its records.
  Module.preRun = [].concat(Module.preRun || [], function () {
    FS.mkdir(home);
    FS.mount(IDBFS, {}, home);
    FS.chdir(home);
    addRunDependency('zelvane-records');
    FS.syncfs(true, function (error) {
      if (error) complain('cannot read the scores kept in this browser: ' + error);
      removeRunDependency('zelvane-records');
    });
  });

  // Writes the folder back to IndexedDB. One write at a time: a request that
  // comes while one runs is carried out after it.
  var writing = false;
  var again = false;
  function keep() {
    if (writing) {
      again = true;
      return;
    }
    writing = true;
    FS.syncfs(false, function (error) {
      writing = false;
      if (error) complain('cannot keep the scores in this browser: ' + error);
      if (again) {
        again = false;
        keep();
      }
    });
  }
  Module.keepScores = keep;

  // The game has ended: its records are saved, nothing more runs.
  Module.gameEnded = function (status) {
    keep();
    if (Module.onGameEnded) Module.onGameEnded(status);
  };

  // The records file as it stands, or null before the first save.
  Module.recordsFile = function () {
    return FS.analyzePath(home + '/' + recordsFile).exists ? FS.readFile(home + '/' + recordsFile) : null;
  };
})();
