// Runs inside the game's module before it starts. The game opens every file
// by its plain name in its working directory, a folder in the tab's memory;
// scores.js keeps the records file in the browser's storage. The sound cues
// come packed beside the game and are put into that folder as the desktop
// launcher puts them into the player's data directory.
(function () {
  var home = '/zelvane';
  var packedCues = '/cues';

  function placeCues() {
    FS.readdir(packedCues).forEach(function (name) {
      var packed = packedCues + '/' + name;
      if (FS.isFile(FS.stat(packed).mode)) FS.writeFile(name, FS.readFile(packed));
    });
  }

  Module.preRun = [].concat(Module.preRun || [], function () {
    FS.mkdir(home);
    FS.chdir(home);
    addOnPreMain(placeCues);
  });
})();
