// The runner's page plays the game packed beside it, game.pack (Runner/shipping/web_page.py
// writes it): fetched at start, each file written under /game before main() runs, images
// decoded by the browser on the way as the engine's own preloaded images are.
Module['arguments'] = ['/game'].concat(Module['arguments'] || []);
// The fetch starts as the script loads, beside the WebAssembly's and the engine data's,
// not in preRun, which comes only once the WebAssembly is compiled.
var tarvoGamePack = fetch('game.pack').then(function (response) {
  if (!response.ok)
    throw new Error('game.pack: ' + response.status + ' ' + response.statusText);
  return response.arrayBuffer();
}).catch(function (error) {
  // Held until preRun reports it, and not left as a rejection nobody handles yet.
  return error;
});
Module['preRun'] = [].concat(Module['preRun'] || [], function () {
  var magic = 'TARVOPACK1\n';
  var told = false;
  function fail(why) {
    // The page shows an ERROR line in its status line, once.
    if (!told)
      err('ERROR: the game could not be loaded: ' + why);
    told = true;
    throw new Error(why);
  }
  function unpack(buffer) {
    var bytes = new Uint8Array(buffer);
    var head = new TextDecoder().decode(bytes.subarray(0, magic.length));
    if (head != magic)
      fail('game.pack is not a packed game');
    var end = bytes.indexOf(10, magic.length);
    if (end < 0)
      fail('game.pack has no index');
    var index = JSON.parse(new TextDecoder().decode(bytes.subarray(magic.length, end)));
    var at = end + 1;
    FS.mkdirTree('/game');
    index.forEach(function (entry) {
      var path = String(entry[0]), size = entry[1];
      if (path.split('/').some(function (part) { return part == '' || part == '.' || part == '..'; }) ||
          !(size >= 0) || at + size > bytes.length)
        fail('game.pack is damaged at ' + JSON.stringify(path));
      var slash = path.lastIndexOf('/');
      var folder = '/game' + (slash < 0 ? '' : '/' + path.substring(0, slash));
      FS.mkdirTree(folder);
      // Adds and removes a run dependency of its own while the browser decodes an image
      // or a sound. One the browser can't decode is not written by it: the file is
      // written anyway, so the engine names the file it can't use rather than a missing one.
      var name = path.substring(slash + 1), data = bytes.subarray(at, at + size);
      FS.createPreloadedFile(folder, name, data, true, true, null, function () {
        FS.createDataFile(folder, name, data, true, true);
      });
      at += size;
    });
  }
  addRunDependency('game-pack');
  tarvoGamePack.then(function (buffer) {
    if (buffer instanceof Error)
      fail(buffer.message);
    unpack(buffer);
    removeRunDependency('game-pack');
  }).catch(function (error) {
    if (!told)
      err('ERROR: the game could not be loaded: ' + (error instanceof Error ? error.message : error));
    told = true;
  });
});
