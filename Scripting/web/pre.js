// Run before main() in every page with Python: the interpreter's library is in the
// page's data under /usr/local (cmake/TarvoWebPython.cmake), and the page's file system
// is new on every visit, so bytecode Python wrote there would only cost time.
Module['preRun'] = [].concat(Module['preRun'] || [], function () {
  ENV['PYTHONHOME'] = '/usr/local';
  ENV['PYTHONDONTWRITEBYTECODE'] = '1';
});
