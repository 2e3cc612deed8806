// The runner's page plays the game folder packed at /game.
Module['arguments'] = ['/game'].concat(Module['arguments'] || []);
