// Runs inside the game's module, beside pre.js. Keeps the records file,
// jkl.yen, in the browser's IndexedDB so that the scores outlive reloads and
// browser restarts, and saves it as the desktop game saves beside other
// games: the table as stored now, this run's scores entered by the game's
// own rule, written back. Every tab of the game shares that one file.
(function () {
  // Where earlier builds of the page kept the file, so their scores are read.
  var databaseName = '/zelvane';
  var databaseVersion = 21;
  var storeName = 'FILE_DATA';
  var fileName = 'jkl.yen';
  var key = databaseName + '/' + fileName;
  // The browser's storage, once the game's folder holds the file stored there;
  // null while it does not, or once the browser is known not to keep the scores.
  var database = null;
  var running = false;
  var saves = Promise.resolve();
  var unsaved = 0;
  // Other tabs of the game hear of each save, so that a tab closing without
  // time to read the stored table writes one that holds theirs.
  var tabs = typeof BroadcastChannel === 'function' ? new BroadcastChannel('zelvane-scores') : null;

  // One note under the game: why the browser does not keep the scores, if so,
  // then what the player's last action brought.
  var note = document.getElementById('note');
  var lasting = '';
  var told = '';
  function show() {
    note.textContent = [lasting, told].filter(Boolean).join(' ');
  }
  function say(text) {
    told = text;
    show();
  }

  function cannotKeep(error) {
    err('zelvane: the scores are not kept in this browser: ' + error);
    database = null;
    var why =
      error && error.name === 'QuotaExceededError'
        ? 'its storage for this page is full.'
        : error instanceof TypeError || error instanceof ReferenceError
          ? 'it offers this page no storage.'
          : 'it does not let this page store anything (its settings may block site data).';
    lasting =
      'Your scores cannot be kept in this browser: ' + why +
      ' They last until the page is closed; "Download scores" saves them to a file.';
    say('');
  }

  function openDatabase() {
    return new Promise(function (resolve, reject) {
      var request = indexedDB.open(databaseName, databaseVersion);
      request.onupgradeneeded = function () {
        if (!request.result.objectStoreNames.contains(storeName)) request.result.createObjectStore(storeName);
      };
      request.onsuccess = function () {
        resolve(request.result);
      };
      request.onerror = function () {
        reject(request.error);
      };
    });
  }

  function storedBytes(db) {
    return new Promise(function (resolve, reject) {
      var get = db.transaction(storeName).objectStore(storeName).get(key);
      get.onsuccess = function () {
        resolve(get.result ? get.result.contents : null);
      };
      get.onerror = function () {
        reject(get.error);
      };
    });
  }

  // The stored file becomes the game's copy in its folder (its working
  // directory, where pre.js has gone by then); none stored, none there.
  function putInFolder(bytes) {
    if (bytes) FS.writeFile(fileName, bytes);
    else if (FS.analyzePath(fileName).exists) FS.unlink(fileName);
  }

  function entryOf(bytes) {
    return { timestamp: new Date(), mode: FS.stat(fileName).mode, contents: bytes };
  }

  // The records are read before the game loads them. Whatever the storage
  // does, the game starts.
  Module.preRun = [].concat(Module.preRun || [], function () {
    addRunDependency('zelvane-records');
    openDatabase()
      .then(function (db) {
        return storedBytes(db).then(function (bytes) {
          putInFolder(bytes);
          database = db;
        });
      })
      .catch(cannotKeep)
      .then(function () {
        removeRunDependency('zelvane-records');
      });
  });
  Module.postRun = [].concat(Module.postRun || [], function () {
    running = true;
  });

  // One transaction reads the stored file, lets the game enter this run's
  // scores into it, and writes it: IndexedDB runs no other tab's writing
  // transaction in between. Resolves to the bytes written, or null.
  function saveStored() {
    return new Promise(function (resolve, reject) {
      var written = null;
      var transaction = database.transaction(storeName, 'readwrite');
      var store = transaction.objectStore(storeName);
      var get = store.get(key);
      get.onsuccess = function () {
        putInFolder(get.result ? get.result.contents : null);
        if (!_zelvane_save_records()) return;
        written = FS.readFile(fileName);
        store.put(entryOf(written), key);
      };
      transaction.oncomplete = function () {
        resolve(written);
      };
      transaction.onabort = function () {
        reject(transaction.error);
      };
    });
  }

  // Saves, one save after another; resolves to whether the browser now keeps
  // the scores. Where it keeps nothing the game's copy holds them.
  function save() {
    ++unsaved;
    saves = saves.then(function () {
      var saving = database ? saveStored().then(stored, keptHere) : Promise.resolve(keptHere());
      return saving.then(function (kept) {
        --unsaved;
        say('');
        return kept;
      });
    });
    return saves;
  }

  function keptHere(error) {
    if (error) cannotKeep(error);
    _zelvane_save_records();
    return false;
  }

  function stored(written) {
    if (!written) return false;
    if (tabs) tabs.postMessage(written);
    askToKeepForGood();
    return true;
  }

  if (tabs) {
    tabs.onmessage = function (message) {
      if (database) putInFolder(message.data);
    };
  }

  // A browser short of space may clear a site's storage unless asked not to.
  var asked = false;
  function askToKeepForGood() {
    if (asked || !navigator.storage || !navigator.storage.persist) return;
    asked = true;
    navigator.storage.persist().then(function (granted) {
      if (granted || lasting) return;
      lasting = 'This browser may clear your scores if it runs short of space.';
      show();
    });
  }

  Module.saveScores = save;

  // A tab may be hidden and never shown again, or closed: a game under its
  // curtain or hold has its final score, which enters the table now, as a
  // closed window's does on the desktop. A closing page has no time to read
  // the stored table, so it writes its own copy at once, which holds this
  // run's scores and the other tabs' last saves.
  function leaving(closing) {
    if (!running) return;
    if (_zelvane_enter_final_score()) save();
    if (!closing || !unsaved || !database) return;
    try {
      _zelvane_save_records();
      var transaction = database.transaction(storeName, 'readwrite');
      var written = FS.readFile(fileName);
      transaction.objectStore(storeName).put(entryOf(written), key);
      if (transaction.commit) transaction.commit();
      if (tabs) tabs.postMessage(written);
    } catch (error) {
      err('zelvane: the scores were not kept on closing: ' + error);
    }
  }
  document.addEventListener('visibilitychange', function () {
    if (document.visibilityState === 'hidden') leaving(false);
  });
  window.addEventListener('pagehide', function () {
    leaving(true);
  });

  // The game has ended: nothing more runs; the page says whether the scores are kept.
  Module.gameEnded = function () {
    save().then(function (kept) {
      if (Module.onGameEnded) Module.onGameEnded(kept);
    });
  };

  // The records file as the game last saved it, or null before the first save.
  function recordsFile() {
    return running && FS.analyzePath(fileName).exists ? FS.readFile(fileName) : null;
  }
  document.getElementById('download').addEventListener('click', function (event) {
    var bytes = recordsFile();
    if (!bytes) {
      event.preventDefault();
      say('No scores saved yet: they are saved after each game.');
      return;
    }
    URL.revokeObjectURL(this.href);
    this.href = URL.createObjectURL(new Blob([bytes], { type: 'application/octet-stream' }));
  });

  // A records file from the desktop game or another browser: read by the
  // game's own loader, its scores entered as a finished game's would be. The
  // loader reads only the file's start; this much is more than it reads.
  var loadLimit = 65536;
  var picker = document.getElementById('load-file');
  document.getElementById('load').addEventListener('click', function (event) {
    event.preventDefault();
    picker.click();
  });
  picker.addEventListener('change', function () {
    var chosen = picker.files[0];
    picker.value = '';
    if (!chosen || !running) return;
    chosen
      .slice(0, loadLimit)
      .arrayBuffer()
      .then(function (content) {
        var path = '/loaded-' + fileName;
        FS.writeFile(path, new Uint8Array(content));
        var refused = ccall('zelvane_load_scores', 'string', ['string'], [path]);
        FS.unlink(path);
        if (refused) {
          say(chosen.name + ' was not loaded, and nothing changed: it holds no scores of this game (' +
            refused.slice(path.length + 2) + ').');
          return;
        }
        save().then(function (kept) {
          say('The scores of ' + chosen.name + ' are entered' + (kept ? ' and kept' : '') +
            '; the table shows them from the next title.');
        });
      });
  });
})();
