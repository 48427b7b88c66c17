// What the browser needs of the program beyond SDL, joined in before its code (emcc --pre-js):
// the saves kept in the browser's storage, the first gesture before the game starts, a hidden tab
// as a lost focus, and the picture scaled by whole factors to fit the page.

// The five stored files and the replays: a folder kept in IndexedDB, read before the game starts.
// The page's command line names it: --data-dir /jizdavo.
var kSaveFolder = '/jizdavo';

var storage = {
  kept: true,      // false once the browser refused to keep anything (a private window, a full quota)
  syncing: false,
  again: false,
};

function syncSaves() {
  if (!storage.kept) return;
  if (storage.syncing) {
    storage.again = true;
    return;
  }
  storage.syncing = true;
  FS.syncfs(false, function (error) {
    storage.syncing = false;
    if (error) {
      storage.kept = false;
      Module['onStorageRefused'] && Module['onStorageRefused']();
    } else if (storage.again) {
      storage.again = false;
      syncSaves();
    }
  });
}

// Every file closed, renamed or removed in the folder is written through to the browser's storage,
// so a save is kept however the page is left.
function followSaves() {
  var inFolder = function (path) { return typeof path === 'string' && path.indexOf(kSaveFolder + '/') === 0; };
  var wrap = function (name, pathOf) {
    var original = FS[name];
    FS[name] = function () {
      var path = pathOf.apply(null, arguments);
      var result = original.apply(FS, arguments);
      if (inFolder(path)) syncSaves();
      return result;
    };
  };
  wrap('close', function (stream) { return stream && stream.path; });
  wrap('rename', function (from, to) { return to; });
  wrap('unlink', function (path) { return path; });
}

Module['preRun'] = Module['preRun'] || [];
Module['preRun'].push(function () {
  FS.mkdir(kSaveFolder);
  try {
    FS.mount(IDBFS, {}, kSaveFolder);
  } catch (error) {
    storage.kept = false;
    return;
  }
  addRunDependency('saves');
  FS.syncfs(true, function (error) {
    if (error) storage.kept = false;
    removeRunDependency('saves');
  });
  followSaves();
});

// A hidden tab is a window without the focus: the game pauses and falls silent as on the desktop.
document.addEventListener('visibilitychange', function () {
  window.dispatchEvent(new FocusEvent(document.hidden ? 'blur' : 'focus'));
});

// The browser lets a page sound only after the player's first click or key: the game starts there.
Module['onRuntimeInitialized'] = function () {
  var cover = document.getElementById('click-to-play');
  var start = function (event) {
    event.preventDefault();
    cover.removeEventListener('mousedown', start);
    window.removeEventListener('keydown', start);
    cover.style.display = 'none';
    Module['canvas'].focus();
    Module['callMain'](Module['arguments']);
  };
  cover.textContent = 'Click to play';
  cover.addEventListener('mousedown', start);
  window.addEventListener('keydown', start);
  Module['ready'] = true;
};

// A sound context the browser started suspended is woken by any later gesture.
['mousedown', 'keydown', 'touchstart'].forEach(function (kind) {
  window.addEventListener(kind, function () {
    if (typeof SDL2 !== 'undefined' && SDL2.audioContext && SDL2.audioContext.state === 'suspended')
      SDL2.audioContext.resume();
  }, true);
});
