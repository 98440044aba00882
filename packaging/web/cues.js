// Runs inside the game's module. The first frame needs the game's code, not
// its sounds: so the cues are fetched only once that frame is up, each by
// the name the game asks for, and the game reads each as soon as it is here.
// They go into the game's folder, as the desktop launcher puts them into the
// player's data directory.
(function () {
  var wanted = [];
  var arrived = {};

  function same(a, b) {
    return a.length === b.length && a.every(function (byte, i) { return byte === b[i]; });
  }

  // Written only where it differs, so the folder's next write to IndexedDB leaves it be.
  function place(name, bytes) {
    var present = FS.analyzePath(name).exists ? FS.readFile(name) : null;
    if (!present || !same(present, bytes)) FS.writeFile(name, bytes);
  }

  function fetchCue(name) {
    return fetch('cues/' + name)
      .then(function (response) {
        if (!response.ok) throw new Error(response.status + ' ' + response.statusText);
        return response.arrayBuffer();
      })
      .then(function (buffer) {
        place(name, new Uint8Array(buffer));
        arrived[name] = true;
      })
      .catch(function (error) {
        err('zelvane: the cue ' + name + ' did not arrive: ' + error);
        // An earlier visit's copy still plays.
        if (FS.analyzePath(name).exists) arrived[name] = true;
      });
  }

  function fetchMissing() {
    var missing = wanted.filter(function (name) { return !arrived[name]; });
    Promise.all(missing.map(fetchCue)).then(function () {
      var complete = wanted.every(function (name) { return arrived[name]; });
      var tell = complete ? Module.onCuesArrived : Module.onCuesProblem;
      if (tell) tell();
    });
  }

  Module.fetchCue = function (name) {
    wanted.push(name);
  };
  Module.cueArrived = function (name) {
    return arrived[name] ? 1 : 0;
  };
  Module.fetchMissingCues = fetchMissing;
  // main has drawn the first frame when it returns.
  Module.postRun = [].concat(Module.postRun || [], fetchMissing);
})();
