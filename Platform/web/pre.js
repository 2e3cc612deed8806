// The start of every Tarvo program in the browser, run before the program's main().
//
// The page's query string holds the run options, each key an option without its leading
// dashes: ?seed=7&fixed-dt=0.0166&frames=600&no-msaa. Two keys are the page's own:
//   input=LINES   the lines of an input script (as --input-script reads them)
//   test          frames as fast as the page runs them instead of at the display's
//                 rate, and the canvas alone (for headless tests with --fixed-dt)
// The players' data folders live in the browser's storage (IndexedDB), loaded before
// main() starts and written back whenever the program keeps a file there.

(function () {
  var query = new URLSearchParams(typeof location != 'undefined' ? location.search : '');
  var args = [];
  var inputScript = null;
  query.forEach(function (value, key) {
    if (key == 'input') {
      inputScript = value;
    } else if (key == 'test') {
      Module['fastFrames'] = true;
    } else {
      args.push('--' + key);
      if (value !== '')
        args.push(value);
    }
  });
  var inputPath = '/tmp/input.script';
  if (inputScript !== null)
    args.push('--input-script', inputPath);
  Module['arguments'] = (Module['arguments'] || []).concat(args);

  // Where the engine puts the players' folders: $HOME/.local/share, HOME being this.
  var dataRoot = '/home/web_user/.local/share';
  Module['preRun'] = [].concat(Module['preRun'] || [], function () {
    if (inputScript !== null)
      FS.writeFile(inputPath, inputScript);
    FS.mkdirTree(dataRoot);
    FS.mount(IDBFS, {}, dataRoot);
    addRunDependency('player-files');
    FS.syncfs(true, function (error) {
      if (error)
        err('WARNING: the browser keeps no files for this page (' + error + '): nothing is kept between visits');
      else
        Module['playerStorageMounted'] = true;
      removeRunDependency('player-files');
    });
  });
})();
